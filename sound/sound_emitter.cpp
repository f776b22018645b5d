#include "sound/sound_emitter.h"

#include <glm/geometric.hpp>

#include "core/diagnostics/debug_print.h"
#include "core/entity/find_component.h"
#include "core/events/events.h"
#include "core/json/json_values.h"
#include "graphics/camera.h"
#include "physics/rigid_body.h"
#include "sound/audio_state.h"
#include "sound/sound_space.h"

namespace {

FMOD::Vector3 ToVector(glm::vec3 v) { return {v.x, v.y, v.z}; }

}  // namespace

SoundEmitter::SoundEmitter() {
    attributes.forward = {0.0f, 1.0f, 0.0f};
    attributes.up = {0.0f, 0.0f, 1.0f};
}

SoundEmitter::~SoundEmitter() {
    DropInstance();
    hold = true;
}

void SoundEmitter::DropInstance() {
    if (!instance.isValid()) return;
    instance.stop(FMOD::Studio::kStopAllowFadeOut);
    instance.release();
    instance = {};
}

std::string SoundEmitter::ListenerId() const { return "UpdateEmitterPosition" + std::to_string(owner.GetId()); }

void SoundEmitter::Initialize() {
    const engine::entity_handle entity = owner;
    events::Connect<float>("LogicUpdate", ListenerId(), [entity](float dt) {
        if (SoundEmitter* emitter = engine::FindComponent<SoundEmitter>(entity)) emitter->UpdateEmitterPosition(dt);
    });
}

void SoundEmitter::Remove() { events::Disconnect("LogicUpdate", ListenerId()); }

void SoundEmitter::Copy(const RootComponent* other) {
    DropInstance();
    BaseComponent<SoundEmitter>::Copy(other);
    instance = {};
}

Json::Value SoundEmitter::Serialize() {
    Json::Value json;
    json["Sound Emitter Distance"] = static_cast<double>(distance);
    json["Sound Emitter Cue"] = cueName;
    json["Sound Emitter Fall Off Rate"] = static_cast<double>(fallOffRate);
    return json;
}

void SoundEmitter::Deserialize(Json::Value json) {
    const auto number = [&json](const char* key) {
        const Json::Value& value = json.isObject() ? json[key] : Json::Value::nullSingleton();
        return JsonFloat(value, 0.0f);
    };
    distance = number("Sound Emitter Distance");
    fallOffRate = number("Sound Emitter Fall Off Rate");
    const Json::Value& cue = json.isObject() ? json["Sound Emitter Cue"] : Json::Value::nullSingleton();
    cueName = cue.isString() ? cue.asString() : std::string();
}

FMOD::Vector3 SoundEmitter::Velocity() const {
    const RigidBody* body = engine::FindComponent<RigidBody>(owner);
    return body ? FMOD::Vector3{body->velocity.x, body->velocity.y, 0.0f} : FMOD::Vector3{};
}

void SoundEmitter::UpdateEmitterPosition(float) {
    FMOD::Studio::PlaybackState state = FMOD::Studio::kStopped;
    instance.getPlaybackState(&state);
    const glm::vec3 position = owner.GetPosition();
    if (glm::distance(Camera::GetPosition(), position) <= distance) {
        FMOD::FMOD_3D_ATTRIBUTES listener;
        audio::studioSystem.getListenerAttributes(0, &listener);
        instance.set3DAttributes(&listener);
    } else {
        attributes.velocity = Velocity();
        attributes.position = ToVector(position);
        instance.set3DAttributes(&attributes);
        instance.setProperty(FMOD::Studio::kMinimumDistance, distance);
        instance.setProperty(FMOD::Studio::kMaximumDistance, distance + fallOffRate);
    }
    if (state == FMOD::Studio::kStopped && !hold) PlayEvent();
}

void SoundEmitter::PlayEvent() {
    hold = false;
    if (cueName.empty()) return;
    SoundCueBank* cue = LookupCue(cueName);
    if (!cue) {
        // A stopped emitter tries every frame; the missing cue is told once.
        if (reportedMissing != cueName) DebugPrint("Cue \"" + cueName + "\" Doesn't exist");
        reportedMissing = cueName;
        return;
    }
    reportedMissing.clear();
    if (!cue->description.isValid()) return;
    DropInstance();
    cue->description.createInstance(&instance);
    if (!instance.isValid()) return;
    attributes.velocity = Velocity();
    attributes.position = ToVector(owner.GetPosition());
    instance.set3DAttributes(&attributes);
    instance.start();
}
