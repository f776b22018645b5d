#include <AL/al.h>

#include "platform/fmod/world.h"

namespace FMOD::Studio {

using detail::Find;
using detail::InstanceData;
using detail::TheWorld;

namespace {

InstanceData* Live(uint64_t id) {
    InstanceData* instance = Find(TheWorld().instances, id);
    return instance && !instance->released ? instance : nullptr;
}

void Place(const InstanceData& instance) {
    if (!instance.voice) return;
    const Vector3 position = detail::ToOutput(instance.attributes.position);
    const Vector3 velocity = detail::ToOutput(instance.attributes.velocity);
    alSource3f(instance.voice, AL_POSITION, position.x, position.y, position.z);
    alSource3f(instance.voice, AL_VELOCITY, velocity.x, velocity.y, velocity.z);
    alSourcef(instance.voice, AL_REFERENCE_DISTANCE, instance.minDistance);
    alSourcef(instance.voice, AL_MAX_DISTANCE, instance.maxDistance);
}

}  // namespace

bool EventInstance::isValid() const { return Live(id) != nullptr; }

FMOD_RESULT EventInstance::start() const {
    InstanceData* instance = Live(id);
    if (!instance) return kErrInvalidHandle;
    detail::World& world = TheWorld();
    detail::DescriptionData* description = Find(world.descriptions, instance->description);
    if (!description) return kErrInvalidHandle;
    // A silent event ends as soon as it starts.
    if (description->soundFile.empty()) {
        detail::StopNow(*instance);
        return kOk;
    }
    const uint32_t buffer = detail::SoundOf(*description);
    if (!buffer) return kErrNoSampleData;
    if (!instance->voice) instance->voice = world.output.NewVoice();
    if (!instance->voice) return kErrOutOfVoices;
    alSourceStop(instance->voice);
    alSourcei(instance->voice, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(instance->voice, AL_LOOPING, description->loop ? AL_TRUE : AL_FALSE);
    alSourcef(instance->voice, AL_ROLLOFF_FACTOR, 1.0f);
    instance->fade = 1.0f;
    instance->state = kPlaying;
    Place(*instance);
    detail::ApplyGain(*instance);
    alSourcePlay(instance->voice);
    detail::ApplyPause(*instance);
    return kOk;
}

FMOD_RESULT EventInstance::stop(StopMode mode) const {
    InstanceData* instance = Live(id);
    if (!instance) return kErrInvalidHandle;
    if (mode != kStopAllowFadeOut && mode != kStopImmediate) return kErrInvalidParam;
    detail::NoteEnd(*instance);
    detail::BeginStop(*instance, mode);
    return kOk;
}

FMOD_RESULT EventInstance::release() const {
    InstanceData* instance = Live(id);
    if (!instance) return kErrInvalidHandle;
    instance->released = true;
    return kOk;
}

FMOD_RESULT EventInstance::setVolume(float volume) const {
    InstanceData* instance = Live(id);
    if (!instance) return kErrInvalidHandle;
    instance->volume = volume;
    detail::ApplyGain(*instance);
    return kOk;
}

FMOD_RESULT EventInstance::getVolume(float* volume) const {
    if (!volume) return kErrInvalidParam;
    InstanceData* instance = Live(id);
    *volume = instance ? instance->volume : 0.0f;
    return instance ? kOk : kErrInvalidHandle;
}

FMOD_RESULT EventInstance::getTimelinePosition(int* position) const {
    if (!position) return kErrInvalidParam;
    *position = 0;
    InstanceData* instance = Live(id);
    if (!instance) return kErrInvalidHandle;
    detail::NoteEnd(*instance);
    if (instance->state == kStopped || !instance->voice) return kOk;
    ALfloat seconds = 0.0f;
    alGetSourcef(instance->voice, AL_SEC_OFFSET, &seconds);
    *position = static_cast<int>(seconds * 1000.0f);
    return kOk;
}

FMOD_RESULT EventInstance::getPlaybackState(PlaybackState* state) const {
    if (!state) return kErrInvalidParam;
    *state = kStopped;
    InstanceData* instance = Live(id);
    if (!instance) return kErrInvalidHandle;
    detail::NoteEnd(*instance);
    *state = instance->state;
    return kOk;
}

FMOD_RESULT EventInstance::set3DAttributes(const FMOD_3D_ATTRIBUTES* attributes) const {
    if (!attributes) return kErrInvalidParam;
    InstanceData* instance = Live(id);
    if (!instance) return kErrInvalidHandle;
    instance->attributes = *attributes;
    Place(*instance);
    return kOk;
}

FMOD_RESULT EventInstance::setProperty(EventProperty property, float value) const {
    InstanceData* instance = Live(id);
    if (!instance) return kErrInvalidHandle;
    if (value < 0.0f) return kErrInvalidParam;
    if (property == kMinimumDistance)
        instance->minDistance = value;
    else if (property == kMaximumDistance)
        instance->maxDistance = value;
    else
        return kErrInvalidParam;
    Place(*instance);
    return kOk;
}

}  // namespace FMOD::Studio
