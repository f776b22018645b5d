#include <gmock/gmock.h>

#include "core/events/events.h"
#include "sound/audio_state.h"
#include "sound/sound_space.h"
#include "tests/sound/audio_fixture.h"
#include "tests/support/error_text.h"

namespace {

using ::testing::ElementsAre;

class Cues : public AudioTest {
protected:
    Cues() {
        WriteBanks({"event:/Music/A", "event:/Music/B", "event:/Ambience/Wind", "event:/SFX/Click", "event:/NPC/Talk",
                    "event:/Other/Thing"});
        WriteStorage(R"({"Sounds": {"Cue Number": 0}})");
        Start();
        NewLines();
    }

    SoundCueBank& Make(const std::string& path, const std::string& name) {
        SoundCueBank* cue = SoundSpace::CreateCue(path, name);
        EXPECT_NE(cue, nullptr) << path;
        return *cue;
    }

    static bool Listening(const std::string& id) {
        const bool was = events::Disconnect("LogicUpdate", id);
        if (was) ADD_FAILURE() << "cannot put the listener back; test only at the end";
        return was;
    }
};

TEST_F(Cues, TheKindComesFromTheEighthCharacterOfThePath) {
    struct Case {
        const char* path;
        int32_t kind;
    };
    for (const Case& c : {Case{"event:/Music/A", 1}, Case{"event:/Ambience/Wind", 3}, Case{"event:/SFX/Click", 2},
                          Case{"event:/NPC/Talk", 2}, Case{"event:/Other/Thing", 4}})
        EXPECT_EQ(Make(c.path, c.path).kind, c.kind) << c.path;
    EXPECT_EQ(ErrorText([] { SoundSpace::CreateCue("event:/", "Short"); }), "invalid string position");
    EXPECT_EQ(SoundSpace::CreateCue("event:/Nowhere", "Lost"), nullptr);
    EXPECT_EQ(SoundSpace::CreateCue("event:/SFX/Click", "event:/Music/A"), nullptr) << "a second cue of one name";
    EXPECT_THAT(NewLines(), ElementsAre("couldn't find bank event:/Nowhere, is it in the audio folder?",
                                        "Cue \"event:/Music/A\" already exists; the second one is left out"));
    EXPECT_EQ(audio::cues.size(), 5u);
    EXPECT_EQ(audio::cueCount, 0) << "creating a cue leaves the count to its caller";
}

TEST_F(Cues, PlayAndStopOfNoCueOnlySaySo) {
    SoundCueBank::Play(SoundSpace::FindCue("Ghost"), 1.0f);
    SoundCueBank::Stop(nullptr);
    EXPECT_THAT(NewLines(), ElementsAre("Cue \"Ghost\" Doesn't exist", "Attempted to play invalid cue!",
                                        "Attempted to stop invalid cue!"));
}

TEST_F(Cues, AnEffectPlaysAtTheVolumeGivenOrItsOwnForOne) {
    SoundCueBank& click = Make("event:/SFX/Click", "Click");
    click.volume = 0.7f;
    struct Case {
        float given;
        float played;
    };
    for (const Case& c : {Case{1.0f, 0.7f}, Case{0.5f, 0.5f}, Case{0.0f, 0.0f}}) {
        SoundCueBank::Play(&click, c.given);
        EXPECT_FLOAT_EQ(Volume(click), c.played) << c.given;
        EXPECT_EQ(State(click.instance), FMOD::Studio::kPlaying);
    }
    SoundCueBank::Stop(&click);
    EXPECT_EQ(State(click.instance), FMOD::Studio::kStopped) << "effects stop at once";
}

TEST_F(Cues, MusicFadesInToFullVolumeInSixtyStillSteps) {
    for (float own : {1.0f, 0.3f}) {
        SoundCueBank& music = Make("event:/Music/A", "Music" + std::to_string(own));
        music.volume = own;
        SoundCueBank::Play(&music, 1.0f);
        EXPECT_EQ(State(music.instance), FMOD::Studio::kStopped) << "the fade-in step starts it";
        // It may first wait one frame for its own fade-out (from silence) to end.
        int steps = 0;
        for (int frame = 0; music.fadingIn && frame < 100; ++frame) {
            const float before = Volume(music);
            Frame(0.0f);
            if (Volume(music) > before) ++steps;
        }
        EXPECT_EQ(steps, 60) << own;
        EXPECT_FLOAT_EQ(Volume(music), 1.0f) << "full volume, whatever the cue's own";
        EXPECT_EQ(State(music.instance), FMOD::Studio::kPlaying);
        EXPECT_FALSE(events::Disconnect("LogicUpdate", "SoundStartFadeIn" + music.name));
        SoundCueBank::Stop(&music);
        FramesUntil([&] { return !music.stopping; });
    }
}

TEST_F(Cues, AFadeInSoundRisesFromSilence) {
    SoundCueBank& wind = Make("event:/Ambience/Wind", "Wind");
    SoundCueBank::Play(&wind, 1.0f);
    Frame(0.25f);
    EXPECT_EQ(State(wind.instance), FMOD::Studio::kPlaying);
    EXPECT_FLOAT_EQ(Volume(wind), 0.25f);
    EXPECT_TRUE(FramesUntil([&] { return Volume(wind) == 1.0f; }));
    SoundCueBank::Stop(&wind);
    EXPECT_EQ(State(wind.instance), FMOD::Studio::kPlaying) << "it fades out first";
    EXPECT_TRUE(FramesUntil([&] { return State(wind.instance) == FMOD::Studio::kStopped; }));
    EXPECT_FLOAT_EQ(Volume(wind), 0.0f);
}

TEST_F(Cues, NewMusicWaitsWhileTheOldFadesOutThenRises) {
    SoundCueBank& first = Make("event:/Music/A", "First");
    SoundCueBank& second = Make("event:/Music/B", "Second");
    SoundCueBank::Play(&first, 1.0f);
    ASSERT_TRUE(FramesUntil([&] { return !first.fadingIn; }));

    SoundCueBank::Play(&second, 1.0f);
    EXPECT_TRUE(first.stopping);
    EXPECT_TRUE(second.fadingIn);
    float secondPeak = 0.0f;
    float firstWhenSecondStarted = -1.0f;
    for (int frame = 0; frame < 200 && (second.fadingIn || first.stopping); ++frame) {
        Frame(0.05f);
        if (firstWhenSecondStarted < 0.0f && Volume(second) > 0.0f) firstWhenSecondStarted = Volume(first);
        secondPeak = std::max(secondPeak, Volume(second));
    }
    EXPECT_EQ(State(first.instance), FMOD::Studio::kStopped);
    EXPECT_FLOAT_EQ(Volume(first), 0.0f);
    EXPECT_GT(firstWhenSecondStarted, 0.5f) << "the new cue rises while the old one is still fading out";
    EXPECT_EQ(State(second.instance), FMOD::Studio::kPlaying);
    EXPECT_FLOAT_EQ(secondPeak, 1.0f);

    // Playing the music that plays fades it out and starts it again.
    SoundCueBank::Play(&second, 1.0f);
    EXPECT_TRUE(second.stopping);
    EXPECT_TRUE(FramesUntil([&] { return !second.fadingIn && !second.stopping; }));
    EXPECT_EQ(State(second.instance), FMOD::Studio::kPlaying);
    EXPECT_FLOAT_EQ(Volume(second), 1.0f);
}

TEST_F(Cues, MutesFollowTheKindAndUnmutingMusicLeavesFadeInSoundsMuted) {
    SoundCueBank& music = Make("event:/Music/A", "Music");
    SoundCueBank& wind = Make("event:/Ambience/Wind", "Wind");
    SoundCueBank& click = Make("event:/SFX/Click", "Click");
    SoundCueBank& thing = Make("event:/Other/Thing", "Thing");
    SoundCueBank::MuteMusic();
    SoundCueBank::MuteSfx();
    EXPECT_TRUE(audio::musicMuted && audio::sfxMuted);
    EXPECT_EQ(std::vector<bool>({music.muted, wind.muted, click.muted, thing.muted}),
              std::vector<bool>({true, true, true, false}));
    SoundCueBank::UnmuteMusic();
    EXPECT_FALSE(audio::musicMuted);
    EXPECT_EQ(std::vector<bool>({music.muted, wind.muted, click.muted, thing.muted}),
              std::vector<bool>({false, true, true, false}));

    // A muted cue starts at its mute volume with no fade.
    SoundCueBank::Play(&wind, 1.0f);
    EXPECT_EQ(State(wind.instance), FMOD::Studio::kPlaying);
    EXPECT_FLOAT_EQ(Volume(wind), 0.0f);
    EXPECT_FALSE(wind.fadeInConnected);
    EXPECT_FALSE(events::Disconnect("LogicUpdate", "SoundStartFadeInWind"));
}

TEST_F(Cues, WhatTheListenerHearsOfACue) {
    SoundCueBank& click = Make("event:/SFX/Click", "Click");
    SoundCueBank::Play(&click, 1.0f);
    EXPECT_GT(Level(0.1), 0.05f);
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<void()> undo;
    };
    const std::vector<Case> cases = {
        {"muted", [&] { click.SetMuted(true); }, [&] { click.SetMuted(false); }},
        {"paused", [] { SoundSpace::SetBusPaused("SFX Bus", true); }, [] { SoundSpace::SetBusPaused("SFX Bus", false); }},
        {"stopped", [&] { SoundCueBank::Stop(&click); }, [&] { SoundCueBank::Play(&click, 1.0f); }},
    };
    for (const Case& c : cases) {
        c.act();
        Level(0.05);
        EXPECT_LT(Level(0.1), kSilent) << c.what;
        c.undo();
        Level(0.05);
        EXPECT_GT(Level(0.1), 0.05f) << "after " << c.what;
    }
}

}  // namespace
