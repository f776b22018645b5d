#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

#include <sys/stat.h>

#include <gmock/gmock.h>

#include "platform/fmod/loopback.h"
#include "sound/audio_state.h"
#include "sound/sound_space.h"
#include "tests/sound/audio_fixture.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

using AudioStart = AudioTest;
using AudioStartDeathTest = AudioTest;

TEST_F(AudioStartDeathTest, AListFileThatCannotBeReadEndsTheProcessWithItsText) {
    // A FIFO would block the read and /dev/zero never end it.
    enum List { kPresent, kAbsent, kFifo, kZero };
    struct Case {
        List bankList;
        List stringList;
        std::string text;
    };
    for (const Case& c : {Case{kAbsent, kPresent, "could't open bankFiles.txt"},
                          Case{kPresent, kAbsent, "could't open stringFiles.txt"},
                          Case{kAbsent, kAbsent, "could't open bankFiles.txt"},
                          Case{kFifo, kPresent, "could't open bankFiles.txt"},
                          Case{kPresent, kZero, "could't open stringFiles.txt"}}) {
        for (const auto& [name, kind] : {std::pair{"audio/bankFiles.txt", c.bankList},
                                         std::pair{"audio/stringFiles.txt", c.stringList}}) {
            std::filesystem::remove(name);
            if (kind == kPresent) game.Write(name, "");
            if (kind == kFifo) {
                ASSERT_EQ(mkfifo(name, 0600), 0);
            }
            if (kind == kZero) std::filesystem::create_symlink("/dev/zero", name);
        }
        EXPECT_EXIT(
            {
                if (!std::freopen("stdout.txt", "w", stdout)) std::abort();
                audio.Init();
            },
            ::testing::ExitedWithCode(255), "");
        EXPECT_EQ(game.Read("stdout.txt"), c.text);
    }
}

TEST_F(AudioStart, BanksThatAreNoFilesOfTheAudioFolderAreLeftOutWithALine) {
    WriteBanks({"event:/SFX/Tone"});
    ASSERT_EQ(mkfifo("audio/fifo.bank", 0600), 0);
    std::filesystem::create_symlink("/dev/zero", "audio/zero.bank");
    game.Write("outside.bank", R"({"bank": "outside"})");
    game.Write("audio/bankFiles.txt", "fifo.bank\nzero.bank\n../outside.bank\nmain.bank\n");
    game.Write("audio/stringFiles.txt", "fifo.bank\nsub/../../outside.bank\nzero.bank\nmain.strings.bank\n");
    const auto begin = std::chrono::steady_clock::now();
    audio.Init();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(4));
    EXPECT_EQ(audio::banks.size(), 1u);
    EXPECT_EQ(audio::events.size(), 1u);
    EXPECT_EQ(audio::events[0].GetPath(), "event:/SFX/Tone") << "the strings bank after the refused ones loaded";
    const std::string bad = ": The file is not a regular file, or is too large to be a sound file or bank.";
    std::vector<std::string> lines = NewLines();
    lines.resize(std::min<size_t>(lines.size(), 6));
    // Each list's names are checked before its banks load.
    EXPECT_THAT(lines, ElementsAre("bank file \"../outside.bank\" is outside the audio folder; it is not loaded",
                                   "error15 audio/fifo.bank" + bad, "error15 audio/zero.bank" + bad,
                                   "bank file \"sub/../../outside.bank\" is outside the audio folder; it is not loaded",
                                   "error15 audio/fifo.bank" + bad, "error15 audio/zero.bank" + bad));
}

TEST_F(AudioStart, ListFilesTakeEveryNamedBankAndBrokenOnesSayWhichFileAndWhy) {
    WriteBanks({"event:/SFX/Tone"});
    // A list line longer than any fixed buffer would be.
    std::string longName;
    while (longName.size() < 300) longName += "a-rather-long-folder-name/";
    longName += "bank";
    game.Write("audio/" + longName + ".bank", R"({"bank": "long"})");
    game.Write("audio/damaged.bank", R"({"events": [{"id": "x", "sound": "tone.wav"})");
    // One event's sound is missing, another has none: the bank's other event still counts.
    game.Write("audio/broken.bank", R"({"events": [{"id": "y", "sound": "absent.wav"}, {"id": "silent"},
        {"id": "fine", "sound": "tone.wav"}]})");
    game.Write("audio/broken.strings.bank", R"({"strings": {"y": "event:/SFX/Broken"}})");
    game.Write("audio/last.bank", R"({"events": [{"id": "z", "sound": "tone.wav"}]})");
    game.Write("audio/bankFiles.txt",
               "main.bank\r\n\n  \n" + longName + ".bank\nmissing.bank\ndamaged.bank\nbroken.bank\r\nlast.bank");
    game.Write("audio/stringFiles.txt", "main.strings.bank\nbroken.strings.bank\n");
    const auto begin = std::chrono::steady_clock::now();
    audio.Init();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(4)) << "a broken bank is not waited for";
    EXPECT_EQ(audio::banks.size(), 4u) << "main, the long name, broken and the last line without a line end";
    EXPECT_EQ(audio::events.size(), 5u);
    const std::vector<std::string> lines = NewLines();
    EXPECT_THAT(lines, Contains("error5 audio/missing.bank: The file could not be opened."));
    EXPECT_THAT(lines, Contains("error6 audio/damaged.bank: The file is not a sound bank this back end understands."));
    EXPECT_THAT(lines, Contains("bank audio/broken.bank, event event:/SFX/Broken: the sound audio/absent.wav is left "
                                "out because there is no such file"));
    const auto leftOut = [](const std::string& line) { return line.find("left out") != std::string::npos; };
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), leftOut), 1) << "nothing is said of the event without a sound";
}

TEST_F(AudioStart, BusesAreNamedFromTheirPathsAndFoundExactly) {
    WriteBanks({"event:/SFX/Tone"});
    game.Write("audio/extra.bank", R"({"buses": [{"id": "nameless"}, {"id": "short"}]})");
    game.Write("audio/extra.strings.bank", R"({"strings": {"short": "bus"}})");
    game.Write("audio/bankFiles.txt", "main.bank\nextra.bank\n");
    game.Write("audio/stringFiles.txt", "main.strings.bank\nextra.strings.bank\n");
    audio.Init();
    std::vector<std::string> names;
    for (const audio::BusRecord& record : audio::buses) names.push_back(record.name);
    EXPECT_THAT(names, ElementsAre("Master Bus", "Music Bus", "SFX Bus"));
    const std::vector<std::string> lines = NewLines();
    EXPECT_THAT(lines, Contains("bank:/Main"));
    EXPECT_THAT(lines, Contains("bus path namebus:/SFX"));
    EXPECT_THAT(lines, Contains("BUS name SFX Bus"));
    EXPECT_THAT(lines, Contains("bus path namebus"));
    EXPECT_THAT(lines, Contains("bus path name"));
    EXPECT_TRUE(SoundSpace::FindBus("Music Bus").isValid());
    EXPECT_FALSE(SoundSpace::FindBus("music bus").isValid());
    EXPECT_THAT(NewLines(),
                ElementsAre("couldn't find bus name music buscheck to make sure you spelt it right "));
}

TEST_F(AudioStart, AtMostAHundredEventsOfABankAreRecorded) {
    std::vector<std::string> paths;
    for (int i = 0; i < 150; ++i) paths.push_back("event:/SFX/" + std::to_string(i));
    WriteBanks(paths);
    audio.Init();
    EXPECT_EQ(audio::events.size(), 100u);
    EXPECT_EQ(audio::events[99].GetPath(), "event:/SFX/99");
    EXPECT_STREQ(audio::events[0].name, "Enter Name");
    EXPECT_EQ(SoundSpace::FindEvent("event:/SFX/120"), nullptr);
    EXPECT_THAT(NewLines(), Contains("couldn't find bank event:/SFX/120, is it in the audio folder?"));
}

TEST_F(AudioStart, FailingResultsAreLoggedWithTheirText) {
    struct Case {
        FMOD::FMOD_RESULT result;
        std::vector<std::string> lines;
    };
    for (const Case& c : {Case{FMOD::kOk, {}}, Case{FMOD::kErrTruncated, {"error10The text was cut to fit the buffer."}},
                          Case{static_cast<FMOD::FMOD_RESULT>(99), {"error99Unknown error."}}}) {
        AudioSystem::CheckResult(c.result);
        EXPECT_EQ(NewLines(), c.lines);
    }
}

TEST_F(AudioStart, BusOperationsActOnTheirBusAndReportUnknownNames) {
    WriteBanks({"event:/SFX/Tone", "event:/Music/Tone"});
    WriteStorage(R"({"Sounds": {"Cue Number": 1, "Sound0": "Tone", "Sound0Evt": "event:/SFX/Tone", "Sound0EvtVol": 1}})");
    Start();
    SoundCueBank* cue = SoundSpace::FindCue("Tone");
    ASSERT_NE(cue, nullptr);
    SoundCueBank::Play(cue, 1.0f);
    EXPECT_GT(Level(0.1), 0.05f);

    SoundSpace::SetBusMute("Music Bus", true);
    EXPECT_TRUE(audio::masterMuted) << "any bus's mute sets the master flag";
    EXPECT_GT(Level(0.1), 0.05f) << "the effect is not on the music bus";
    SoundSpace::SetBusPaused("SFX Bus", true);
    Level(0.05);
    EXPECT_LT(Level(0.1), kSilent);
    SoundSpace::SetBusPaused("SFX Bus", false);
    SoundSpace::StopBus("Master Bus", 2);
    EXPECT_EQ(State(cue->instance), FMOD::Studio::kPlaying) << "mode 2 stops nothing";
    SoundSpace::StopChannelGroup("Music Group");
    SoundSpace::StopBus("Master Bus", 0);
    EXPECT_EQ(State(cue->instance), FMOD::Studio::kStopped);
    NewLines();
    SoundSpace::SetBusPaused("Nothing", true);
    SoundSpace::StopBus("Nothing", 0);
    EXPECT_THAT(NewLines(), ElementsAre("couldn't find bus name Nothingcheck to make sure you spelt it right ",
                                        "error1The handle does not name a live sound object.",
                                        "couldn't find bus name Nothingcheck to make sure you spelt it right "));
}

TEST_F(AudioStart, UpdatePlacesTheListenerAndTheCuesAtIt) {
    WriteBanks({"event:/SFX/Tone"});
    WriteStorage(R"({"Sounds": {"Cue Number": 1, "Sound0": "Tone", "Sound0Evt": "event:/SFX/Tone", "Sound0EvtVol": 1}})");
    Start();
    NewLines();
    EXPECT_TRUE(FMOD::Loopback::Active());
    AudioSystem::SetListener({100.0f, 5.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
    SoundCueBank::Play(SoundSpace::FindCue("Tone"), 1.0f);
    audio.Update();
    FMOD::FMOD_3D_ATTRIBUTES listener;
    ASSERT_EQ(audio::studioSystem.getListenerAttributes(0, &listener), FMOD::kOk);
    EXPECT_EQ(listener.position.x, 100.0f);
    EXPECT_EQ(listener.forward.y, -1.0f);
    EXPECT_GT(Level(0.1), 0.05f) << "a cue sounds at the listener wherever it is";
    EXPECT_TRUE(NewLines().empty());
}

}  // namespace
