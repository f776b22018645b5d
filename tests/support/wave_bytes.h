#pragma once
// The bytes of a WAV file whose header says whatever a test needs, true or
// not: 0 channels, a rate of 0, 65,535 channels, float samples that are NaN.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

constexpr uint16_t kWavePcm = 1;
constexpr uint16_t kWaveFloat = 3;

inline std::string WaveBytes(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits,
                             const std::string& data) {
    const auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t block = uint32_t{channels} * bits / 8;
    const std::string fmt = u16(format) + u16(channels) + u32(rate) + u32(rate * block) +
                            u16(static_cast<uint16_t>(block)) + u16(bits);
    const std::string body = "WAVEfmt " + u32(static_cast<uint32_t>(fmt.size())) + fmt + "data" +
                             u32(static_cast<uint32_t>(data.size())) + data;
    return "RIFF" + u32(static_cast<uint32_t>(body.size())) + body;
}

// 32-bit float samples as a WAV's data.
inline std::string FloatData(const std::vector<float>& samples) {
    std::string data(samples.size() * sizeof(float), '\0');
    std::memcpy(data.data(), samples.data(), data.size());
    return data;
}

}  // namespace testing_support
