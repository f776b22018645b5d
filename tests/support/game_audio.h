#pragma once
// The audio data the engine's start-up requires, for test game folders.

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace testing_support {

// Copies the shipped "audio" folder (bank lists, banks, sounds, sound
// storage) from the source tree's data folder into the game folder, with the
// "Audio" link to it.
void CopyShippedAudio(const std::filesystem::path& data, const std::filesystem::path& game);

// OpenAL told to use no driver, as on a machine without a sound device:
// sound goes to the loopback device, which tests can read.
class NoSoundDevice {
    ScopedEnv drivers{"ALSOFT_DRIVERS", "none"};
};

}  // namespace testing_support
