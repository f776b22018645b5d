#include "sound/engine_audio.h"

#include "core/engine/pause_hook.h"

namespace {

void PauseSound(bool paused) {
    SoundSpace::SetBusPaused("Music Bus", paused);
    SoundSpace::SetBusPaused("SFX Bus", paused);
}

}  // namespace

void StartAudio(AudioSystem& audio) {
    audio.Init();
    SoundSpace::InitSounds();
    g_pauseSoundHook = PauseSound;
}
