#pragma once
// The low-level interface beside the studio system: 3D settings and named
// channel groups. Handles behave as in studio.h.

#include <cstdint>

#include "platform/fmod/results.h"

namespace FMOD {

class ChannelGroup {
public:
    bool isValid() const;
    FMOD_RESULT getName(char* name, int size) const;
    // Silences whatever plays in the group.
    FMOD_RESULT stop() const;

    uint64_t id = 0;
};

class System {
public:
    bool isValid() const;
    FMOD_RESULT createChannelGroup(const char* name, ChannelGroup* group) const;
    // Doppler scale, units per metre (for the Doppler shift) and the roll-off
    // scale of inverse roll-off. Events here roll off linearly between their
    // minimum and maximum distance, which the roll-off scale leaves alone.
    FMOD_RESULT set3DSettings(float dopplerScale, float distanceFactor, float rolloffScale) const;
    FMOD_RESULT get3DSettings(float* dopplerScale, float* distanceFactor, float* rolloffScale) const;
    FMOD_RESULT update() const;

    uint64_t id = 0;
};

}  // namespace FMOD
