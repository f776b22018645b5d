#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads a byte range as a stream of bits, the least significant bit of each
// byte first. Reads past the end see zeros and never touch the memory there;
// callers check the position wherever a read may have run past the end.
class BitReader {
public:
    BitReader() = default;
    BitReader(const unsigned char* data, size_t size) : data(data), size(size) {}

    // Tops the buffer up to at least 56 bits.
    void Refill() {
        if (next + 8 <= size) {
            uint64_t word;
            std::memcpy(&word, data + next, 8);  // little-endian host
            buffer |= word << count;
            next += (63 - count) >> 3;
            count |= 56;
            return;
        }
        while (count <= 56) {
            const uint64_t byte = next < size ? data[next] : 0;
            buffer |= byte << count;
            ++next;
            count += 8;
        }
    }
    // The buffered bits, the next one lowest; at least 32 after EnsureBits(32).
    uint64_t Buffered() const { return buffer; }
    void EnsureBits(unsigned k) {
        if (count < k) Refill();
    }
    void Consume(unsigned k) {
        buffer >>= k;
        count -= k;
    }
    // Reads k bits (up to 32); the first bit read is bit 0 of the result.
    uint32_t ReadBitsFromStream(unsigned k) {
        EnsureBits(k);
        const uint32_t value = uint32_t(buffer & ((uint64_t(1) << k) - 1));
        Consume(k);
        return value;
    }

    uint64_t Position() const { return uint64_t(next) * 8 - count; }
    bool AtOrPastEnd() const { return Position() >= uint64_t(size) * 8; }
    bool PastEnd() const { return Position() > uint64_t(size) * 8; }
    // Only meaningful while not past the end.
    uint64_t BitsLeft() const { return uint64_t(size) * 8 - Position(); }

    // Byte-wise access for stored blocks: the first whole byte at or after
    // the position, and a jump to a byte.
    size_t NextBytePosition() const { return size_t((Position() + 7) / 8); }
    void SeekToByte(size_t position) {
        next = position;
        buffer = 0;
        count = 0;
    }
    const unsigned char* Data() const { return data; }
    size_t Size() const { return size; }

private:
    const unsigned char* data = nullptr;
    size_t size = 0;
    size_t next = 0;  // the next byte to enter the buffer
    uint64_t buffer = 0;
    unsigned count = 0;
};
