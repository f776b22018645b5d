// Playing and stopping cues. Music cross-fades: playing a music cue fades
// every other music cue out while this one waits at volume 0, then rises to
// full volume; fade-in sounds rise the same way.
#include <vector>

#include "core/diagnostics/debug_print.h"
#include "sound/audio_state.h"
#include "sound/sound_cue.h"

namespace {

// A frame time of exactly 0 (the first frame, a paused game) still steps.
constexpr float kStillStep = 0.0167f;

float Step(float dt) { return dt == 0.0f ? kStillStep : dt; }

}  // namespace

void SoundCueBank::Play(SoundCueBank* cue, float playVolume) {
    if (!cue) {
        DebugPrint("Attempted to play invalid cue!");
        return;
    }
    cue->startedByFade = false;
    if (cue->kind == kMusic) {
        if (!cue->fadingIn) {
            int position = 0;
            cue->instance.getTimelinePosition(&position);
            if (position == 0) cue->instance.setVolume(0.0f);
        }
        std::vector<SoundCueBank*> others;
        for (const auto& other : audio::cues) others.push_back(other.get());
        for (SoundCueBank* other : others) {
            if (!other->instance.isValid()) continue;
            if (other->kind == kMusic) {
                if (other->fadingIn) {
                    other->fadingIn = false;
                    other->fadeInConnected = false;
                    other->DisconnectFadeIn();
                }
                Stop(other);
            }
            if (!cue->fadingIn) {
                if (cue->fadeInConnected) cue->DisconnectFadeIn();
                cue->fadeInConnected = true;
                cue->ConnectFadeIn();
            }
            cue->fadingIn = true;
        }
    }
    if (cue->kind == kFadeIn) {
        if (cue->fadeInConnected) cue->DisconnectFadeIn();
        cue->instance.setVolume(0.0f);
        cue->fadeInConnected = true;
        cue->ConnectFadeIn();
    }
    FMOD::FMOD_3D_ATTRIBUTES attributes;
    audio::studioSystem.getListenerAttributes(0, &attributes);
    cue->instance.set3DAttributes(&attributes);
    if (cue->muted) {
        cue->instance.start();
        cue->instance.setVolume(cue->muteVolume);
        cue->DisconnectFades();
        cue->stopping = cue->fadingIn = cue->startedByFade = false;
        return;
    }
    if (cue->kind != kMusic && cue->kind != kFadeIn) {
        cue->instance.start();
        cue->instance.setVolume(playVolume == 1.0f ? cue->volume : playVolume);
    }
}

void SoundCueBank::Stop(SoundCueBank* cue) {
    if (!cue) {
        DebugPrint("Attempted to stop invalid cue!");
        return;
    }
    if (cue->kind != kMusic && cue->kind != kFadeIn) {
        cue->instance.stop(FMOD::Studio::kStopImmediate);
        return;
    }
    if (cue->stopping) return;
    if (cue->fadeOutConnected) cue->DisconnectFadeOut();
    cue->stopping = true;
    cue->fadeOutConnected = true;
    cue->ConnectFadeOut();
}

void SoundCueBank::FadeInStep(float dt) {
    if (stopping) return;
    int position = 0;
    instance.getTimelinePosition(&position);
    if (position == 0 && !startedByFade) {
        instance.start();
        startedByFade = true;
    }
    float level = 0.0f;
    instance.getVolume(&level);
    level += Step(dt);
    if (level >= 1.0f) {
        instance.setVolume(1.0f);
        fadingIn = startedByFade = fadeInConnected = false;
        DisconnectFadeIn();
    } else {
        instance.setVolume(level);
    }
}

void SoundCueBank::FadeOutStep(float dt) {
    float level = 0.0f;
    instance.getVolume(&level);
    level -= Step(dt);
    if (level <= 0.0f) {
        instance.stop(FMOD::Studio::kStopImmediate);
        stopping = false;
        instance.setVolume(0.0f);
        fadeOutConnected = false;
        DisconnectFadeOut();
    } else {
        instance.setVolume(level);
    }
}
