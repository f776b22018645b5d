#include "platform/fmod/low_level.h"

#include "platform/fmod/world.h"

namespace FMOD {

using detail::TheWorld;

namespace {

bool LowLevelLive(uint64_t id) { return TheWorld().created && id == TheWorld().lowLevelId; }

}  // namespace

bool System::isValid() const { return LowLevelLive(id); }

FMOD_RESULT System::createChannelGroup(const char* name, ChannelGroup* group) const {
    if (!group) return kErrInvalidParam;
    *group = ChannelGroup{};
    if (!LowLevelLive(id)) return kErrInvalidHandle;
    if (!name) return kErrInvalidParam;
    group->id = TheWorld().NewId();
    TheWorld().channelGroups.emplace(group->id, name);
    return kOk;
}

FMOD_RESULT System::set3DSettings(float dopplerScale, float distanceFactor, float rolloffScale) const {
    if (!LowLevelLive(id)) return kErrInvalidHandle;
    if (dopplerScale < 0.0f || distanceFactor <= 0.0f || rolloffScale < 0.0f) return kErrInvalidParam;
    detail::World& world = TheWorld();
    world.dopplerScale = dopplerScale;
    world.distanceFactor = distanceFactor;
    world.rolloffScale = rolloffScale;
    world.output.SetDoppler(dopplerScale, distanceFactor);
    return kOk;
}

FMOD_RESULT System::get3DSettings(float* dopplerScale, float* distanceFactor, float* rolloffScale) const {
    if (!dopplerScale || !distanceFactor || !rolloffScale) return kErrInvalidParam;
    const bool live = LowLevelLive(id);
    const detail::World& world = TheWorld();
    *dopplerScale = live ? world.dopplerScale : 0.0f;
    *distanceFactor = live ? world.distanceFactor : 0.0f;
    *rolloffScale = live ? world.rolloffScale : 0.0f;
    return live ? kOk : kErrInvalidHandle;
}

// The studio system's update does the mixing work; the low-level one only
// checks its handle.
FMOD_RESULT System::update() const { return LowLevelLive(id) ? kOk : kErrInvalidHandle; }

bool ChannelGroup::isValid() const { return detail::Find(TheWorld().channelGroups, id) != nullptr; }

FMOD_RESULT ChannelGroup::getName(char* name, int size) const {
    const std::string* found = detail::Find(TheWorld().channelGroups, id);
    const FMOD_RESULT result = detail::CopyText(found ? *found : std::string(), name, size, nullptr);
    return found ? result : kErrInvalidHandle;
}

// Events play on buses, so nothing is ever routed into a channel group:
// stopping one has nothing to silence.
FMOD_RESULT ChannelGroup::stop() const { return isValid() ? kOk : kErrInvalidHandle; }

}  // namespace FMOD
