#pragma once
// The audio system: starts the studio system, loads the banks named in
// "audio/bankFiles.txt" and "audio/stringFiles.txt", records their events
// and buses, keeps the 3D listener and advances sound once per frame. The
// Engine owns one; its state is module-level (sound/audio_state.h).

#include <cstdint>

#include <glm/vec3.hpp>

#include "platform/fmod/results.h"

class AudioSystem {
public:
    // At most this many events and buses of each bank are recorded.
    int32_t eventCapacity = 100;
    int32_t busCapacity = 100;

    // Start-up. A missing list file ends the process with exit status -1.
    void Init();
    // Once per frame, after the frame's logic.
    void Update();

    // Stored; applied by the next Update.
    static void SetListener(glm::vec3 position, glm::vec3 velocity, glm::vec3 forward, glm::vec3 up);
    static void ApplyListener();
    // Logs a failing result as one line; 0 does nothing.
    static void CheckResult(FMOD::FMOD_RESULT result);
};
