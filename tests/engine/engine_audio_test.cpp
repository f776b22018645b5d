// The engine's audio: started with the shipped banks and cues, paused with
// the game, stopped at a level change, listened to at the camera, and the
// cues saved at shut-down.
#include <json/value.h>

#include "core/engine/engine.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "platform/fmod/loopback.h"
#include "sound/audio_state.h"
#include "sound/sound_space.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/heard.h"

namespace {

using Audio = EngineTest;

bool Paused(const std::string& bus) {
    bool paused = false;
    SoundSpace::FindBus(bus).getPaused(&paused);
    return paused;
}

TEST_F(Audio, TheGamePlaysACuePausesItsBusesAndStopsSoundAtALevelChange) {
    ASSERT_NE(SoundSpace::FindCue("Button_Hover"), nullptr);
    ASSERT_NE(SoundSpace::FindCue("Button_Select"), nullptr);
    SoundCueBank* wind = SoundSpace::CreateCue("event:/Ambience/Wind", "Wind");
    ASSERT_NE(wind, nullptr);
    folder.WriteLevel("cave", kSmallLevel);
    std::vector<float> heard;
    bool pausedBoth = false;
    bool resumedBoth = false;
    FMOD::Studio::PlaybackState beforeChange = FMOD::Studio::kStopped;
    RunUntil([&](int frame) {
        if (frame == 2) SoundCueBank::Play(SoundSpace::FindCue("Button_Select"), 1.0f);
        if (frame >= 2 && frame < 12) {
            const std::vector<float> more = FMOD::Loopback::TakeSamples();
            heard.insert(heard.end(), more.begin(), more.end());
        }
        if (frame == 12) {
            Engine::Pause();
            pausedBoth = Paused("Music Bus") && Paused("SFX Bus");
            Engine::Unpause();
            resumedBoth = !Paused("Music Bus") && !Paused("SFX Bus");
            SoundCueBank::Play(wind, 1.0f);
        }
        if (frame == 20) {
            wind->instance.getPlaybackState(&beforeChange);
            Engine::SetLevel("cave", false);
        }
        return frame == 21;
    });
    EXPECT_GT(testing_support::Measure(heard).Both(), 0.01f) << "the cue was heard";
    EXPECT_TRUE(pausedBoth);
    EXPECT_TRUE(resumedBoth);
    EXPECT_EQ(beforeChange, FMOD::Studio::kPlaying);
    FMOD::Studio::PlaybackState afterChange = FMOD::Studio::kPlaying;
    wind->instance.getPlaybackState(&afterChange);
    EXPECT_EQ(afterChange, FMOD::Studio::kStopped) << "the level change stopped the master bus";
}

TEST_F(Audio, TheListenerFollowsTheCameraAndTheCuesAreSavedAtShutDown) {
    Camera::SetPosition({12.0f, -4.0f, 0.0f});
    RunUntil([](int frame) { return frame == 2; });
    FMOD::FMOD_3D_ATTRIBUTES listener;
    audio::studioSystem.getListenerAttributes(0, &listener);
    EXPECT_EQ(std::vector<float>({listener.position.x, listener.position.y, listener.forward.y, listener.up.z}),
              std::vector<float>({12.0f, -4.0f, -1.0f, 1.0f}));

    SoundSpace::CreateCue("event:/Music/Theme", "Theme")->volume = 0.5f;
    ++audio::cueCount;
    delete g_engine;
    g_engine = nullptr;
    const Json::Value saved = Parse(folder.game.Read("audio/SoundStorage.json"))["Sounds"];
    EXPECT_EQ(saved["Cue Number"].asInt(), 3);
    EXPECT_EQ(saved["Sound2"].asString(), "Theme");
    EXPECT_EQ(saved["Sound2EvtVol"].asDouble(), 0.5);
}

}  // namespace
