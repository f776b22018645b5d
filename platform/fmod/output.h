#pragma once
// Private to the back end: the OpenAL output. A real device when one opens;
// otherwise a loopback device that renders only when asked, so that time
// passes (and sounds end) in step with the studio system's updates.

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include <AL/alc.h>

#include "platform/fmod/types.h"


namespace FMOD::detail {

class Output {
public:
    Output() = default;
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    bool Open();
    bool IsOpen() const { return context != nullptr; }
    bool IsLoopback() const { return loopback; }

    // Renders the given time on the loopback device into the capture.
    void Render(double seconds);
    std::vector<float> TakeCapture();

    // The listener and sources take left-handed coordinates, as callers give them.
    void SetListener(const FMOD_3D_ATTRIBUTES& attributes);
    void SetDoppler(float dopplerScale, float distanceFactor);

    // A new source, or 0 when the output has none left.
    uint32_t NewVoice();
    void DeleteVoice(uint32_t voice);
    // Decoded mono sound as an output buffer, one per file however its path
    // is spelt; 0 when the file does not decode, and then problem says why.
    uint32_t BufferFor(const std::string& file, std::string& problem);

private:
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool loopback = false;
    void* renderSamples = nullptr;  // the loopback's render entry point
    std::deque<float> capture;
    struct Buffer {
        std::string file;  // the file's NormalPath
        uint32_t name = 0;  // 0: the file did not decode, for the reason below
        std::string problem;
    };
    Buffer Decode(const std::string& file) const;

    std::vector<Buffer> buffers;
    std::vector<uint32_t> voices;
};

// Converts left-handed coordinates to the output's right-handed ones.
Vector3 ToOutput(Vector3 v);

}  // namespace FMOD::detail
