#pragma once
// The audio module in a temporary game folder (the working directory), with
// HOME at another temporary folder, sound on the loopback device, and the
// events the module connects to registered as the engine registers them.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sound/audio_system.h"
#include "sound/sound_cue.h"
#include "tests/support/game_audio.h"
#include "tests/support/heard.h"
#include "tests/support/temp_dir.h"

class AudioTest : public ::testing::Test {
protected:
    AudioTest();
    ~AudioTest() override;

    // A bank with the master, music and effect buses and one looping tone
    // event per path given, and its strings bank; both listed.
    void WriteBanks(const std::vector<std::string>& eventPaths);
    void WriteStorage(const std::string& json) const;
    // AudioSystem::Init, then SoundSpace::InitSounds.
    void Start();
    // One frame's "LogicUpdate" then the audio update.
    void Frame(float dt);
    // The diagnostic lines written since the last call.
    std::vector<std::string> NewLines();
    // What the listener hears over about the given time, rendered by audio
    // updates from now on.
    testing_support::Heard Listen(double seconds);
    float Level(double seconds) { return Listen(seconds).Both(); }
    // Frames (at dt 0.02) until done() holds or a few seconds pass.
    bool FramesUntil(const std::function<bool()>& done);

    static float Volume(const SoundCueBank& cue);
    static FMOD::Studio::PlaybackState State(const FMOD::Studio::EventInstance& instance);

    testing_support::TempDir game;
    testing_support::TempDir home;
    AudioSystem audio;

private:
    testing_support::ScopedEnv homeEnv{"HOME", home.str()};
    testing_support::ScopedEnv documentsEnv{"XDG_DOCUMENTS_DIR", std::nullopt};
    testing_support::NoSoundDevice noSoundDevice;
    std::filesystem::path previous = std::filesystem::current_path();
    size_t linesSeen = 0;
};

constexpr float kSilent = 0.001f;
