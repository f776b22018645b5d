#pragma once
// A studio system on the loopback device, with banks written by the test
// into a temporary folder, and what a listener hears from it.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fmod/studio.h"
#include "tests/support/game_audio.h"
#include "tests/support/heard.h"
#include "tests/support/temp_dir.h"

using testing_support::Heard;

class StudioTest : public ::testing::Test {
protected:
    StudioTest();

    // Writes a mono WAV of a sine tone (or silence at frequency 0).
    void WriteTone(const std::string& file, float seconds, float frequency = 440.0f) const;
    // Loads a bank file written into the folder; fails the test on error.
    FMOD::Studio::Bank Load(const std::string& file, const std::string& json) const;
    // The description of the first event of a bank.
    FMOD::Studio::EventDescription FirstEvent(const FMOD::Studio::Bank& bank) const;
    // Updates until the loopback has rendered about the given time from
    // now, and returns what it rendered.
    std::vector<float> Render(double seconds) const;
    Heard Listen(double seconds) const;
    // Updates until done() holds, or a few seconds pass.
    bool UpdateUntil(const std::function<bool()>& done) const;

    testing_support::NoSoundDevice noSoundDevice;
    testing_support::TempDir folder;
    FMOD::Studio::System system;
};

// A bank with buses master > music > (quiet) and one event on the deepest
// bus playing the sound file given.
std::string BusTreeBank(const std::string& sound, bool loop, float fadeOut = 0.0f);
