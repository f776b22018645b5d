#include "platform/fmod/world.h"

namespace FMOD::Studio {

using detail::BusData;
using detail::Find;
using detail::TheWorld;

namespace {

BusData* Live(uint64_t id) { return Find(TheWorld().buses, id); }

// Runs action on every live instance routed through the bus.
template <typename Action>
void ForEventsOf(const BusData& bus, Action action) {
    detail::World& world = TheWorld();
    for (auto& [id, instance] : world.instances) {
        const detail::DescriptionData* description = Find(world.descriptions, instance.description);
        if (description && detail::RoutedThrough(description->busKey, bus.key)) action(instance);
    }
}

FMOD_RESULT Flag(const BusData* bus, bool BusData::*field, bool* value) {
    if (!value) return kErrInvalidParam;
    *value = bus ? bus->*field : false;
    return bus ? kOk : kErrInvalidHandle;
}

}  // namespace

bool Bus::isValid() const { return Live(id) != nullptr; }

FMOD_RESULT Bus::getPath(char* path, int size, int* retrieved) const {
    const BusData* bus = Live(id);
    return detail::CopyPath(bus ? &bus->key : nullptr, path, size, retrieved);
}

FMOD_RESULT Bus::setMute(bool mute) const {
    BusData* bus = Live(id);
    if (!bus) return kErrInvalidHandle;
    bus->mute = mute;
    ForEventsOf(*bus, detail::ApplyGain);
    return kOk;
}

FMOD_RESULT Bus::getMute(bool* mute) const { return Flag(Live(id), &BusData::mute, mute); }

FMOD_RESULT Bus::setPaused(bool paused) const {
    BusData* bus = Live(id);
    if (!bus) return kErrInvalidHandle;
    bus->paused = paused;
    ForEventsOf(*bus, detail::ApplyPause);
    return kOk;
}

FMOD_RESULT Bus::getPaused(bool* paused) const { return Flag(Live(id), &BusData::paused, paused); }

FMOD_RESULT Bus::stopAllEvents(StopMode mode) const {
    BusData* bus = Live(id);
    if (!bus) return kErrInvalidHandle;
    if (mode != kStopAllowFadeOut && mode != kStopImmediate) return kErrInvalidParam;
    ForEventsOf(*bus, [mode](detail::InstanceData& instance) { detail::BeginStop(instance, mode); });
    return kOk;
}

}  // namespace FMOD::Studio
