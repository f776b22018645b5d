#include "platform/fmod/world.h"

namespace FMOD::Studio {

using detail::Find;
using detail::TheWorld;

bool EventDescription::isValid() const { return Find(TheWorld().descriptions, id) != nullptr; }

FMOD_RESULT EventDescription::getPath(char* path, int size, int* retrieved) const {
    const detail::DescriptionData* description = Find(TheWorld().descriptions, id);
    return detail::CopyPath(description ? &description->key : nullptr, path, size, retrieved);
}

FMOD_RESULT EventDescription::loadSampleData() const {
    detail::DescriptionData* description = Find(TheWorld().descriptions, id);
    if (!description) return kErrInvalidHandle;
    return detail::SoundOf(*description) || description->soundFile.empty() ? kOk : kErrSoundFormat;
}

FMOD_RESULT EventDescription::createInstance(EventInstance* instance) const {
    if (!instance) return kErrInvalidParam;
    *instance = EventInstance{};
    detail::World& world = TheWorld();
    const detail::DescriptionData* description = Find(world.descriptions, id);
    if (!description) return kErrInvalidHandle;
    detail::InstanceData data;
    data.description = id;
    data.minDistance = description->minDistance;
    data.maxDistance = description->maxDistance;
    instance->id = world.NewId();
    world.instances.emplace(instance->id, data);
    return kOk;
}

}  // namespace FMOD::Studio
