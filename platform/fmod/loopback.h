#pragma once
// The loopback output used when there is no sound device: what it rendered,
// as a listener would have heard it.

#include <vector>

namespace FMOD::Loopback {

constexpr int kSampleRate = 48000;

// True when the studio system's output is the loopback device.
bool Active();
// Interleaved stereo samples (left, right) rendered since the last call,
// at most the last 30 seconds of them.
std::vector<float> TakeSamples();

}  // namespace FMOD::Loopback
