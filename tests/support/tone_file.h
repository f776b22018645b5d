#pragma once
// A mono 16-bit WAV file of a sine tone, written with libsndfile (the
// programs that include this link it through the sound back end).

#include <cmath>
#include <filesystem>
#include <vector>

#include <sndfile.h>

namespace testing_support {

inline bool WriteToneFile(const std::filesystem::path& file, float seconds, float frequency = 440.0f) {
    constexpr int kRate = 22050;
    std::vector<short> samples(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(16000.0 * std::sin(2.0 * M_PI * frequency * static_cast<double>(i) / kRate));
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
    if (!out) return false;
    sf_write_short(out, samples.data(), static_cast<sf_count_t>(samples.size()));
    return sf_close(out) == 0;
}

}  // namespace testing_support
