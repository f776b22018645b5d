#pragma once
// A sound emitter plays a cue's event at its entity and plays it again
// whenever it has stopped, so the sound loops. Within its enclosed distance
// of the camera it sounds at the listener; farther away it is placed in 3D,
// full up to that distance and silent from the distance plus the fall-off
// rate. Its instance is its own, separate from the cue's.

#include <string>

#include "core/components/base_component.h"
#include "platform/fmod/studio.h"

class SoundEmitter : public BaseComponent<SoundEmitter> {
public:
    SoundEmitter();
    ~SoundEmitter() override;
    SoundEmitter(const SoundEmitter&) = default;
    SoundEmitter& operator=(const SoundEmitter&) = default;
    void Initialize() override;
    void Remove() override;
    // A copy starts without an instance, so no instance is released twice.
    void Copy(const RootComponent* other) override;
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;
    uint32_t GetTypeID() override { return ID; }

    void PlayEvent();
    // "UpdateEmitterPosition" + entity id on "LogicUpdate".
    void UpdateEmitterPosition(float dt);

    FMOD::FMOD_3D_ATTRIBUTES attributes;
    float distance = 30.0f;
    float fallOffRate = 10.0f;
    bool hold = false;  // while set, a stopped emitter is not restarted
    std::string cueName;
    FMOD::Studio::EventInstance instance;

private:
    std::string ListenerId() const;
    FMOD::Vector3 Velocity() const;
    void DropInstance();

    std::string reportedMissing;  // the missing cue name already logged
};
