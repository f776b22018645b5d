#include "sound/sound_cue.h"

#include <algorithm>

#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/events/events.h"
#include "sound/audio_state.h"
#include "sound/sound_event.h"
#include "sound/sound_space.h"

namespace {

// The cue behind a fade listener, while the list still holds it.
bool Listed(const SoundCueBank* cue) {
    return std::any_of(audio::cues.begin(), audio::cues.end(), [cue](const auto& held) { return held.get() == cue; });
}

// The eighth character of an event path, the first after "event:/".
int32_t KindOf(const std::string& eventPath) {
    if (eventPath.size() < 8) throw debug::exception("invalid string position");
    switch (eventPath[7]) {
        case 'M': return SoundCueBank::kMusic;
        case 'A': return SoundCueBank::kFadeIn;
        case 'S':
        case 'N': return SoundCueBank::kEffect;
        default: return SoundCueBank::kUnclassified;
    }
}

}  // namespace

void SoundCueBank::CreateInstance(const SoundEvent& event) {
    description = event.GetDescription();
    eventPath = event.GetPath();
    description.loadSampleData();
    name = "Need Name";
    description.createInstance(&instance);
    kind = kUnclassified;
    muted = false;
}

void SoundCueBank::SetName(const std::string& newName) {
    name = newName;
    if (instance.isValid()) instance.setVolume(muted ? muteVolume : volume);
}

void SoundCueBank::SetMuted(bool mute) {
    muted = mute;
    if (instance.isValid()) instance.setVolume(muted ? muteVolume : volume);
}

void SoundCueBank::ConnectFadeIn() {
    events::Connect<float>("LogicUpdate", FadeInId(), [this](float dt) {
        if (Listed(this)) FadeInStep(dt);
    });
}

void SoundCueBank::ConnectFadeOut() {
    events::Connect<float>("LogicUpdate", FadeOutId(), [this](float dt) {
        if (Listed(this)) FadeOutStep(dt);
    });
}

void SoundCueBank::DisconnectFadeIn() { events::Disconnect("LogicUpdate", FadeInId()); }
void SoundCueBank::DisconnectFadeOut() { events::Disconnect("LogicUpdate", FadeOutId()); }

void SoundCueBank::DisconnectFades() {
    if (fadeInConnected) DisconnectFadeIn();
    if (fadeOutConnected) DisconnectFadeOut();
    fadeInConnected = fadeOutConnected = false;
}

void SoundCueBank::Retire() {
    DisconnectFades();
    // A sound still playing (or fading out) ends by itself.
    if (instance.isValid()) instance.release();
}

void SoundCueBank::MuteMusic() {
    audio::musicMuted = true;
    for (const auto& cue : audio::cues)
        if (cue->kind == kMusic || cue->kind == kFadeIn) cue->SetMuted(true);
}

void SoundCueBank::UnmuteMusic() {
    audio::musicMuted = false;
    for (const auto& cue : audio::cues)
        if (cue->kind == kMusic) cue->SetMuted(false);
}

void SoundCueBank::MuteSfx() {
    audio::sfxMuted = true;
    for (const auto& cue : audio::cues)
        if (cue->kind == kEffect) cue->SetMuted(true);
}

SoundCueBank* LookupCue(const std::string& name) {
    for (const auto& cue : audio::cues)
        if (cue->name == name) return cue.get();
    return nullptr;
}

SoundCueBank* SoundSpace::FindCue(const std::string& name) {
    SoundCueBank* cue = LookupCue(name);
    if (!cue) DebugPrint("Cue \"" + name + "\" Doesn't exist");
    return cue;
}

SoundCueBank* SoundSpace::CreateCue(const std::string& eventPath, const std::string& cueName) {
    const int32_t kind = KindOf(eventPath);
    // Two cues of one name would share their fade listener ids.
    if (LookupCue(cueName)) {
        DebugPrint("Cue \"" + cueName + "\" already exists; the second one is left out");
        return nullptr;
    }
    SoundEvent* event = FindEvent(eventPath);
    if (!event) return nullptr;
    auto cue = std::make_unique<SoundCueBank>();
    cue->CreateInstance(*event);
    cue->kind = kind;
    cue->SetName(cueName);
    audio::cues.push_back(std::move(cue));
    return audio::cues.back().get();
}
