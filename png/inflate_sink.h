#pragma once
#include <cstddef>
#include <cstdint>

// Receives an inflater's output in order, a piece at a time. A non-zero
// result stops the inflation at once, and the inflater returns it.
class InflateSink {
public:
    virtual uint32_t Take(const unsigned char* bytes, size_t size) = 0;

protected:
    ~InflateSink() = default;
};
