// What a listener hears, read back from the loopback device.
#include <filesystem>

#include "platform/fmod/low_level.h"
#include "tests/platform/fmod_fixture.h"

namespace {

using namespace FMOD;
using namespace FMOD::Studio;

constexpr float kSilent = 0.001f;

const char* kStrings = R"({"strings": {"master": "bus:/", "music": "bus:/Music", "quiet": "bus:/Music/Quiet",
    "other": "bus:/Other"}})";

class Hearing : public StudioTest {
protected:
    // A looping tone on the bus tree's deepest bus, started.
    EventInstance PlayLoop(float fadeOut = 0.0f) {
        WriteTone("loop.wav", 0.5f);
        bank = Load("main.bank", BusTreeBank("loop.wav", true, fadeOut));
        EventInstance instance;
        EXPECT_EQ(FirstEvent(bank).createInstance(&instance), kOk);
        EXPECT_EQ(instance.start(), kOk);
        return instance;
    }

    Bus BusAt(int index) const {
        std::vector<Bus> buses(4);
        int count = 0;
        bank.getBusList(buses.data(), 4, &count);
        return buses[index];
    }

    PlaybackState State(const EventInstance& instance) const {
        PlaybackState state = kPlaying;
        instance.getPlaybackState(&state);
        return state;
    }

    int Position(const EventInstance& instance) const {
        int position = -1;
        instance.getTimelinePosition(&position);
        return position;
    }

    Bank bank;
};

TEST_F(Hearing, MutePauseAndStopActDownTheBusTree) {
    const EventInstance instance = PlayLoop();
    const Bus master = BusAt(0);
    const Bus music = BusAt(1);
    const Bus other = BusAt(3);
    EXPECT_GT(Listen(0.2).Both(), 0.05f);

    struct Step {
        const char* what;
        std::function<void()> act;
        bool audible;
    };
    const std::vector<Step> steps = {
        {"master muted", [&] { master.setMute(true); }, false},
        {"master unmuted", [&] { master.setMute(false); }, true},
        {"a bus beside it muted", [&] { other.setMute(true); }, true},
        {"music paused", [&] { music.setPaused(true); }, false},
        {"music resumed", [&] { music.setPaused(false); }, true},
        {"master stopped", [&] { master.stopAllEvents(kStopImmediate); }, false},
    };
    for (const Step& step : steps) {
        step.act();
        Listen(0.05);  // the output's own short fade between gains
        const float level = Listen(0.2).Both();
        if (step.audible)
            EXPECT_GT(level, 0.05f) << step.what;
        else
            EXPECT_LT(level, kSilent) << step.what;
    }
    EXPECT_EQ(State(instance), kStopped);
    EXPECT_EQ(Position(instance), 0);
}

TEST_F(Hearing, APausedEventKeepsItsPlaceAndStaysPlaying) {
    const EventInstance instance = PlayLoop();
    Render(0.1);
    BusAt(1).setPaused(true);
    const int paused = Position(instance);
    Render(0.2);
    EXPECT_EQ(Position(instance), paused);
    EXPECT_EQ(State(instance), kPlaying);
    bool flag = false;
    EXPECT_EQ(BusAt(2).getPaused(&flag), kOk);
    EXPECT_FALSE(flag) << "the child bus keeps its own flag";
}

TEST_F(Hearing, PlaybackEndsStopsAndFades) {
    WriteTone("short.wav", 0.1f);
    const EventDescription shortEvent = FirstEvent(Load("short.bank", BusTreeBank("short.wav", false)));
    EventInstance once;
    shortEvent.createInstance(&once);
    EXPECT_EQ(State(once), kStopped);
    EXPECT_EQ(Position(once), 0);
    once.start();
    EXPECT_EQ(State(once), kPlaying);
    EXPECT_TRUE(UpdateUntil([&] { return State(once) == kStopped; })) << "a sound without a loop ends";
    EXPECT_EQ(Position(once), 0);

    const EventInstance fading = PlayLoop(0.3f);
    Render(0.1);
    EXPECT_GT(Position(fading), 0);
    fading.stop(kStopAllowFadeOut);
    EXPECT_EQ(State(fading), kStopping);
    BusAt(0).setPaused(true);
    Render(0.4);
    EXPECT_EQ(State(fading), kStopping) << "a paused fade waits";
    BusAt(0).setPaused(false);
    const float during = Listen(0.1).Both();
    EXPECT_GT(during, kSilent);
    EXPECT_TRUE(UpdateUntil([&] { return State(fading) == kStopped; }));
    EXPECT_LT(Listen(0.1).Both(), kSilent);

    // An immediate stop ends a fade at once; a release lets the sound end first.
    fading.start();
    fading.stop(kStopAllowFadeOut);
    fading.stop(kStopImmediate);
    EXPECT_EQ(State(fading), kStopped);
    fading.start();
    fading.stop(kStopAllowFadeOut);
    fading.release();
    EXPECT_GT(Listen(0.1).Both(), kSilent) << "released while fading out, it still fades";
    EXPECT_TRUE(UpdateUntil([&] { return Listen(0.05).Both() < kSilent; }));
}

TEST_F(Hearing, DistanceAndBalanceFollowThePosition) {
    const EventInstance instance = PlayLoop();
    Load("main.strings.bank", kStrings);
    // The game's listener: looking down the y axis with z up, so x is to the right.
    FMOD_3D_ATTRIBUTES listener;
    listener.forward = {0.0f, -1.0f, 0.0f};
    listener.up = {0.0f, 0.0f, 1.0f};
    ASSERT_EQ(system.setListenerAttributes(0, &listener), kOk);
    instance.setProperty(kMinimumDistance, 30.0f);
    instance.setProperty(kMaximumDistance, 40.0f);
    const auto heardAt = [&](float x) {
        FMOD_3D_ATTRIBUTES at;
        at.position = {x, 0.0f, 0.0f};
        instance.set3DAttributes(&at);
        Listen(0.05);
        return Listen(0.2);
    };
    const Heard near = heardAt(25.0f);
    const Heard middle = heardAt(35.0f);
    const Heard far = heardAt(45.0f);
    const Heard left = heardAt(-35.0f);
    EXPECT_GT(near.Both(), middle.Both() * 1.5f);
    EXPECT_GT(middle.Both(), 0.01f);
    EXPECT_LT(far.Both(), kSilent);
    EXPECT_GT(middle.right, middle.left * 1.5f);
    EXPECT_GT(left.left, left.right * 1.5f);
}

TEST_F(Hearing, AFileIsDecodedOnceHoweverItIsSpelt) {
    WriteTone("long.wav", 0.5f);
    FirstEvent(Load("first.bank", BusTreeBank("long.wav", true)));
    // Gone from disk, the file can only be heard again from what is held.
    std::filesystem::remove(folder.path() / "long.wav");
    for (const std::string spelt : {"./long.wav", "././long.wav", ".//long.wav", "long.wav"}) {
        const EventDescription again = FirstEvent(Load(std::to_string(spelt.size()) + ".bank", BusTreeBank(spelt, true)));
        EXPECT_EQ(again.loadSampleData(), kOk) << spelt;
        EventInstance instance;
        ASSERT_EQ(again.createInstance(&instance), kOk);
        EXPECT_EQ(instance.start(), kOk) << spelt;
        EXPECT_GT(Listen(0.1).Both(), 0.05f) << spelt;
        instance.stop(kStopImmediate);
        instance.release();
    }
}

}  // namespace
