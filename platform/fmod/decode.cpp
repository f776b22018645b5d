#include "platform/fmod/decode.h"

#include <algorithm>
#include <memory>

#include <sndfile.h>

#include "platform/fmod/data_file.h"

namespace FMOD::detail {

namespace {

// A sound file's bytes as libsndfile's virtual file, read-only.
struct MemoryFile {
    const std::string& bytes;
    sf_count_t position = 0;
};

sf_count_t Length(void* file) { return static_cast<sf_count_t>(static_cast<MemoryFile*>(file)->bytes.size()); }

sf_count_t Seek(sf_count_t offset, int whence, void* file) {
    MemoryFile& memory = *static_cast<MemoryFile*>(file);
    const sf_count_t base = whence == SEEK_CUR ? memory.position : whence == SEEK_END ? Length(file) : 0;
    const sf_count_t target = base + offset;
    if (target < 0 || target > Length(file)) return -1;
    memory.position = target;
    return target;
}

sf_count_t Read(void* destination, sf_count_t count, void* file) {
    MemoryFile& memory = *static_cast<MemoryFile*>(file);
    const sf_count_t taken = std::clamp<sf_count_t>(Length(file) - memory.position, 0, std::max<sf_count_t>(count, 0));
    std::copy_n(memory.bytes.data() + memory.position, taken, static_cast<char*>(destination));
    memory.position += taken;
    return taken;
}

sf_count_t Write(const void*, sf_count_t, void*) { return 0; }

sf_count_t Tell(void* file) { return static_cast<MemoryFile*>(file)->position; }

sf_count_t MaxSoundFrames(int sampleRate) {
    return std::min<sf_count_t>(sf_count_t{kMaxSoundSeconds} * sampleRate, kMaxSoundSamples);
}

}  // namespace

bool DecodeSound(const std::string& file, DecodedSound& sound) {
    std::string bytes;
    if (ReadDataFile(file, bytes) != kOk) return false;
    MemoryFile memory{bytes};
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    SF_INFO info{};
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> handle(sf_open_virtual(&io, SFM_READ, &info, &memory), sf_close);
    if (!handle || info.channels <= 0 || info.frames <= 0 || info.samplerate <= 0) return false;
    // A small file may hold hours of silence: its length is known before a
    // sample is decoded. The count read is checked too, in case the header
    // is wrong about it.
    const sf_count_t maxFrames = MaxSoundFrames(info.samplerate);
    if (info.frames > maxFrames) return false;
    // Sounds are placed in 3D, which takes one channel.
    constexpr sf_count_t kChunk = 4096;
    std::vector<float> chunk(static_cast<size_t>(kChunk * info.channels));
    sound.samples.clear();
    sound.sampleRate = info.samplerate;
    sf_count_t read = 0;
    while ((read = sf_readf_float(handle.get(), chunk.data(), kChunk)) > 0) {
        for (sf_count_t frame = 0; frame < read; ++frame) {
            float sum = 0.0f;
            for (int channel = 0; channel < info.channels; ++channel) sum += chunk[frame * info.channels + channel];
            float mono = sum / static_cast<float>(info.channels);
            mono = mono > 1.0f ? 1.0f : (mono < -1.0f ? -1.0f : mono);
            sound.samples.push_back(static_cast<int16_t>(mono * 32767.0f));
        }
        if (static_cast<sf_count_t>(sound.samples.size()) > maxFrames) return false;
    }
    return !sound.samples.empty();
}

}  // namespace FMOD::detail
