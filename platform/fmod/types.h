#pragma once
// Plain values shared by the studio and low-level interfaces.

#include <cstdint>

namespace FMOD {

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Coordinates are left-handed: x right, y up, z forward.
struct FMOD_3D_ATTRIBUTES {
    Vector3 position;
    Vector3 velocity;
    Vector3 forward{0.0f, 0.0f, 1.0f};
    Vector3 up{0.0f, 1.0f, 0.0f};
};

namespace Studio {

enum StopMode : int32_t { kStopAllowFadeOut = 0, kStopImmediate = 1 };

enum PlaybackState : int32_t { kPlaying = 0, kStopped = 2, kStopping = 4 };

enum LoadingState : int32_t { kUnloaded = 1, kLoading = 2, kLoaded = 3, kLoadError = 4 };

enum EventProperty : int32_t { kMinimumDistance = 3, kMaximumDistance = 4 };

// The interface version callers pass to System::create.
constexpr uint32_t kHeaderVersion = 0x10701;

}  // namespace Studio

}  // namespace FMOD
