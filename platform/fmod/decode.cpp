#include "platform/fmod/decode.h"

#include <memory>

#include <sndfile.h>

namespace FMOD::detail {

bool DecodeSound(const std::string& file, DecodedSound& sound) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> handle(sf_open(file.c_str(), SFM_READ, &info), sf_close);
    if (!handle || info.channels <= 0 || info.frames <= 0 || info.samplerate <= 0) return false;
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
    }
    return !sound.samples.empty();
}

}  // namespace FMOD::detail
