#pragma once
// What the engine's start-up, frame loop and tear-down use of the audio
// module.

#include "sound/audio_system.h"
#include "sound/sound_space.h"

// Starts audio (banks, buses, then the cues of the sound storage file) and
// installs the game pause's hold on the music and effect buses.
void StartAudio(AudioSystem& audio);
