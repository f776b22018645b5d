// Sound cues by name, and the master and music mutes.
#include "core/engine/engine.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"
#include "sound/audio_state.h"
#include "sound/sound_cue.h"
#include "sound/sound_space.h"

namespace {

// The menu sounds stay quiet while the window is minimised.
void PlayMenuSound(const char* cue) {
    if (Engine::IsMinimized()) return;
    if (SoundCueBank* found = SoundSpace::FindCue(cue)) SoundCueBank::Play(found, 1.0f);
}

}  // namespace

bool lb_sounds_all_muted() {
    return AtEdge(false, [] { return audio::masterMuted; });
}

bool lb_sounds_music_muted() {
    return AtEdge(false, [] { return audio::musicMuted; });
}

void lb_sounds_mute_all(bool mute) {
    AtEdge([&] { SoundSpace::SetBusMute("Master Bus", mute); });
}

void lb_sounds_mute_music(bool mute) {
    AtEdge([&] {
        if (mute)
            SoundCueBank::MuteMusic();
        else
            SoundCueBank::UnmuteMusic();
    });
}

// An unknown cue logs the lookup's line and then Play's.
void lb_sounds_play(const char* cue) {
    AtEdge([&] { SoundCueBank::Play(SoundSpace::FindCue(Text(cue)), 1.0f); });
}

void lb_sounds_play_hover() {
    AtEdge([] { PlayMenuSound("Button_Hover"); });
}

void lb_sounds_play_select() {
    AtEdge([] { PlayMenuSound("Button_Select"); });
}

void lb_sounds_stop(const char* cue) {
    AtEdge([&] { SoundCueBank::Stop(SoundSpace::FindCue(Text(cue))); });
}
