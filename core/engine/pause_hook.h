#pragma once
// Set by the composition at start-up, so that the core need not know the
// audio system: Engine::Pause and Engine::Unpause call it with the new
// paused state to pause or resume the game's sound.
extern void (*g_pauseSoundHook)(bool paused);
