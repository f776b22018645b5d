#include "sound/audio_system.h"

#include <string>

#include "core/diagnostics/debug_print.h"
#include "sound/audio_state.h"

namespace {

// "error", the number, then what comes between and the result's text.
void ErrorLine(FMOD::FMOD_RESULT result, const std::string& between) {
    if (result != FMOD::kOk) DebugPrint("error" + std::to_string(result) + between + FMOD::FMOD_ErrorString(result));
}

}  // namespace

namespace audio {

FMOD::FMOD_RESULT Handled(FMOD::FMOD_RESULT result) {
    lastResult = result;
    AudioSystem::CheckResult(result);
    return result;
}

FMOD::FMOD_RESULT Handled(FMOD::FMOD_RESULT result, const std::string& file) {
    lastResult = result;
    ErrorLine(result, " " + file + ": ");
    return result;
}

}  // namespace audio

namespace {

FMOD::Vector3 ToVector(glm::vec3 v) { return {v.x, v.y, v.z}; }

}  // namespace

void AudioSystem::CheckResult(FMOD::FMOD_RESULT result) { ErrorLine(result, ""); }

void AudioSystem::SetListener(glm::vec3 position, glm::vec3 velocity, glm::vec3 forward, glm::vec3 up) {
    audio::listener = {position, velocity, forward, up};
}

void AudioSystem::ApplyListener() {
    audio::listenerAttributes.position = ToVector(audio::listener.position);
    audio::listenerAttributes.velocity = ToVector(audio::listener.velocity);
    audio::listenerAttributes.forward = ToVector(audio::listener.forward);
    audio::listenerAttributes.up = ToVector(audio::listener.up);
    audio::lastResult = audio::studioSystem.setListenerAttributes(0, &audio::listenerAttributes);
}

void AudioSystem::Update() {
    audio::lowLevelSystem.set3DSettings(1.0f, 1.0f, 0.1f);
    ApplyListener();
    CheckResult(audio::lastResult);
    // Cues sound at the listener.
    for (const auto& cue : audio::cues) {
        if (!cue->instance.isValid()) continue;
        FMOD::FMOD_3D_ATTRIBUTES attributes;
        audio::studioSystem.getListenerAttributes(0, &attributes);
        cue->instance.set3DAttributes(&attributes);
    }
    audio::Handled(audio::lowLevelSystem.update());
    audio::Handled(audio::studioSystem.update());
}
