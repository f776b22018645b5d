#pragma once
// The root-mean-square level of each ear over interleaved stereo samples
// (left, right), as the sound back end's loopback device renders them.

#include <algorithm>
#include <cmath>
#include <vector>

namespace testing_support {

struct Heard {
    float left = 0.0f;
    float right = 0.0f;
    float Both() const { return (left + right) / 2.0f; }
};

inline Heard Measure(const std::vector<float>& samples) {
    double left = 0.0;
    double right = 0.0;
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        left += samples[i] * samples[i];
        right += samples[i + 1] * samples[i + 1];
    }
    const double frames = static_cast<double>(std::max<size_t>(1, samples.size() / 2));
    return {static_cast<float>(std::sqrt(left / frames)), static_cast<float>(std::sqrt(right / frames))};
}

}  // namespace testing_support
