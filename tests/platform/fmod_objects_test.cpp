#include <cstring>

#include <filesystem>

#include <sndfile.h>
#include <sys/stat.h>

#include "platform/fmod/low_level.h"
#include "tests/platform/fmod_fixture.h"

namespace {

using namespace FMOD;
using namespace FMOD::Studio;

const char* kStrings = R"({"strings": {"b": "bank:/Main", "master": "bus:/", "music": "bus:/Music",
    "quiet": "bus:/Music/Quiet", "e": "event:/Music/Theme"}})";

TEST(ErrorText, EveryResultOfTheTableHasATextAndOthersAreUnknown) {
    EXPECT_STREQ(FMOD_ErrorString(kOk), "No errors.");
    EXPECT_STREQ(FMOD_ErrorString(kErrTruncated), "The text was cut to fit the buffer.");
    EXPECT_STREQ(FMOD_ErrorString(kErrFileBad),
                 "The file is not a regular file, or is too large to be a sound file or bank.");
    for (int result : {16, 81}) EXPECT_STRNE(FMOD_ErrorString(result), "Unknown error.") << result;
    for (int result : {-1, 82, 1000}) EXPECT_STREQ(FMOD_ErrorString(result), "Unknown error.") << result;
}

TEST_F(StudioTest, TextIsCutToTheBufferAndAlwaysEnded) {
    WriteTone("a.wav", 0.1f);
    const EventDescription event = FirstEvent(Load("main.bank", BusTreeBank("a.wav", false)));
    Load("main.strings.bank", kStrings);
    const std::string path = "event:/Music/Theme";
    struct Case {
        int size;
        std::string text;
        FMOD_RESULT result;
    };
    for (const Case& c : {Case{1, "", kErrTruncated}, Case{5, "even", kErrTruncated},
                          Case{static_cast<int>(path.size()), path.substr(0, path.size() - 1), kErrTruncated},
                          Case{static_cast<int>(path.size()) + 1, path, kOk}, Case{64, path, kOk}}) {
        char buffer[80];
        std::memset(buffer, 'x', sizeof buffer);
        int retrieved = 0;
        EXPECT_EQ(event.getPath(buffer, c.size, &retrieved), c.result) << c.size;
        EXPECT_EQ(std::string(buffer), c.text) << c.size;
        EXPECT_EQ(buffer[c.size], 'x') << "nothing past the buffer, size " << c.size;
        EXPECT_EQ(retrieved, static_cast<int>(path.size()) + 1);
    }
    char none[4] = "abc";
    EXPECT_EQ(event.getPath(none, 0, nullptr), kErrInvalidParam);
    EXPECT_STREQ(none, "abc");
}

TEST_F(StudioTest, DeadHandlesGiveAnErrorAndNeutralOutputs) {
    WriteTone("a.wav", 0.1f);
    const EventDescription description = FirstEvent(Load("main.bank", BusTreeBank("a.wav", true)));
    Load("main.strings.bank", kStrings);
    EventInstance released;
    ASSERT_EQ(description.createInstance(&released), kOk);
    ASSERT_EQ(released.start(), kOk);
    ASSERT_EQ(released.release(), kOk);
    EventInstance never;
    EventInstance madeUp;
    madeUp.id = 987654;
    for (const EventInstance& instance : {released, never, madeUp}) {
        float volume = 5.0f;
        int position = 5;
        PlaybackState state = kPlaying;
        EXPECT_FALSE(instance.isValid());
        EXPECT_EQ(instance.getVolume(&volume), kErrInvalidHandle);
        EXPECT_EQ(instance.getTimelinePosition(&position), kErrInvalidHandle);
        EXPECT_EQ(instance.getPlaybackState(&state), kErrInvalidHandle);
        EXPECT_EQ(volume, 0.0f);
        EXPECT_EQ(position, 0);
        EXPECT_EQ(state, kStopped);
        EXPECT_EQ(instance.start(), kErrInvalidHandle);
        EXPECT_EQ(instance.stop(kStopImmediate), kErrInvalidHandle);
        EXPECT_EQ(instance.release(), kErrInvalidHandle);
        EXPECT_EQ(instance.setVolume(1.0f), kErrInvalidHandle);
        EXPECT_EQ(instance.setProperty(kMinimumDistance, 1.0f), kErrInvalidHandle);
    }
    char text[16] = "untouched";
    int count = 7;
    LoadingState loading = kLoaded;
    bool flag = true;
    EXPECT_EQ(Bank{}.getPath(text, sizeof text, nullptr), kErrInvalidHandle);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(Bank{}.getEventCount(&count), kErrInvalidHandle);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(Bank{}.getSampleLoadingState(&loading), kErrInvalidHandle);
    EXPECT_EQ(loading, kUnloaded);
    EXPECT_EQ(Bus{}.setMute(true), kErrInvalidHandle);
    EXPECT_EQ(Bus{}.getPaused(&flag), kErrInvalidHandle);
    EXPECT_FALSE(flag);
    EXPECT_EQ(Bus{}.stopAllEvents(kStopImmediate), kErrInvalidHandle);
    EventInstance out;
    out.id = 3;
    EXPECT_EQ(EventDescription{}.createInstance(&out), kErrInvalidHandle);
    EXPECT_EQ(out.id, 0u);
    EXPECT_EQ(ChannelGroup{}.getName(text, sizeof text), kErrInvalidHandle);
    EXPECT_EQ(ChannelGroup{}.stop(), kErrInvalidHandle);
    EXPECT_EQ(FMOD::System{}.update(), kErrInvalidHandle);
    EXPECT_EQ(Studio::System{}.update(), kErrInvalidHandle);
}

TEST_F(StudioTest, BankFilesThatCannotLoadAreRefusedWhole) {
    struct Case {
        const char* name;
        const char* text;  // null: no file
        FMOD_RESULT result;
    };
    const std::string deep = std::string(5000, '[') + std::string(5000, ']');
    for (const Case& c : {Case{"missing.bank", nullptr, kErrFileNotFound}, Case{"text.bank", "not json", kErrBankFormat},
                          Case{"deep.bank", deep.c_str(), kErrBankFormat},
                          Case{"array.bank", "[1, 2]", kErrBankFormat},
                          Case{"events.bank", R"({"events": {"id": "e"}})", kErrBankFormat},
                          Case{"noid.bank", R"({"buses": [{"id": "x"}], "events": [{"bus": "x"}]})", kErrBankFormat},
                          Case{"fade.bank", R"({"events": [{"id": "e", "fadeOut": -1}]})", kErrBankFormat},
                          Case{"strings.bank", R"({"strings": {"x": 3}})", kErrBankFormat},
                          Case{"climb.bank", R"({"events": [{"id": "e", "sound": "sub/../../x.wav"}]})", kErrBankFormat},
                          Case{"absolute.bank", R"({"events": [{"id": "e", "sound": "/dev/zero"}]})", kErrBankFormat},
                          Case{"fifo.bank", "fifo", kErrFileBad}, Case{"zero.bank", "/dev/zero", kErrFileBad},
                          Case{"folder.bank", "folder", kErrFileBad}}) {
        // A FIFO would block the read and /dev/zero never end it: neither is read.
        const std::string path = (folder.path() / c.name).string();
        const std::string text = c.text ? c.text : "";
        if (text == "fifo") ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else if (text == "/dev/zero") std::filesystem::create_symlink(text, path);
        else if (text == "folder") std::filesystem::create_directory(path);
        else if (c.text) folder.Write(c.name, text);
        Bank bank;
        bank.id = 77;
        EXPECT_EQ(system.loadBankFile((folder.path() / c.name).c_str(), 0, &bank), c.result) << c.name;
        EXPECT_FALSE(bank.isValid()) << c.name;
    }
    // The bad bus of the refused bank was not added: a good bank's bus x has no parent to reach.
    const Bank good = Load("good.bank", R"({"buses": [{"id": "x"}]})");
    Bank again;
    EXPECT_EQ(system.loadBankFile((folder.path() / "good.bank").c_str(), 0, &again), kErrAlreadyLoaded);
    int buses = 0;
    EXPECT_EQ(good.getBusCount(&buses), kOk);
    EXPECT_EQ(buses, 1);
}

TEST_F(StudioTest, SampleDataLoadsOnUpdateFromEachFormat) {
    constexpr int kText = 0, kAbsent = -1, kFifo = -2, kLink = -3;
    struct Case {
        const char* file;
        int format;
        LoadingState state;
        const char* target = nullptr;  // of a link
        int seconds = 1;
        int rate = 22050;
    };
    constexpr int kFlac = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    // A sound may last ten minutes; one a second longer, small as a file of
    // silence is, is refused, and so is a shorter one at so high a rate that
    // it holds more than 2^26 samples.
    for (const Case& c : {Case{"tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, kLoaded}, Case{"tone.flac", kFlac, kLoaded},
                          Case{"tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, kLoaded}, Case{"text.wav", kText, kLoadError},
                          Case{"absent.wav", kAbsent, kLoadError}, Case{"fifo.wav", kFifo, kLoadError},
                          Case{"zero.wav", kLink, kLoadError, "/dev/zero"},
                          Case{"linked.wav", kLink, kLoaded, "tone.flac"},
                          Case{"ten_minutes.flac", kFlac, kLoaded, nullptr, 600, 8000},
                          Case{"longer.flac", kFlac, kLoadError, nullptr, 601, 8000},
                          Case{"dense.flac", kFlac, kLoadError, nullptr, 103, 655350}}) {
        const std::string file = c.file;
        if (c.format == kFifo) {
            ASSERT_EQ(mkfifo((folder.path() / file).c_str(), 0600), 0);
        } else if (c.format == kLink) {
            std::filesystem::create_symlink(c.target, folder.path() / file);
        } else if (c.format > 0) {
            SF_INFO info{};
            info.samplerate = c.rate;
            info.channels = 2;
            info.format = c.format;
            SNDFILE* out = sf_open((folder.path() / file).c_str(), SFM_WRITE, &info);
            ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
            const std::vector<float> second(static_cast<size_t>(c.rate) * 2, 0.25f);
            for (int i = 0; i < c.seconds; ++i) sf_writef_float(out, second.data(), c.rate);
            sf_close(out);
        } else if (c.format == kText) {
            folder.Write(file, "RIFF but not really");
        }
        folder.Write(file + ".bank", R"({"events": [{"id": ")" + file + R"(", "sound": ")" + file + R"("}]})");
        Bank bank;
        ASSERT_EQ(system.loadBankFile((folder.path() / (file + ".bank")).c_str(), 0, &bank), kOk);
        LoadingState state = kLoaded;
        EXPECT_EQ(bank.getSampleLoadingState(&state), kOk);
        EXPECT_EQ(state, kUnloaded) << file;
        bank.loadSampleData();
        EXPECT_EQ(bank.getSampleLoadingState(&state), kOk);
        EXPECT_EQ(state, kLoading) << file;
        system.update();
        EXPECT_EQ(bank.getSampleLoadingState(&state), kOk);
        EXPECT_EQ(state, c.state) << file;
        EventInstance instance;
        FirstEvent(bank).createInstance(&instance);
        EXPECT_EQ(instance.start(), c.state == kLoaded ? kOk : kErrNoSampleData) << file;
    }
}

TEST_F(StudioTest, PathsNeedAStringsBankAndListsStopAtTheirCapacity) {
    std::string events;
    for (int i = 0; i < 150; ++i) events += std::string(i ? "," : "") + R"({"id": "e)" + std::to_string(i) + R"("})";
    const Bank bank = Load("many.bank", R"({"bank": "b", "buses": [{"id": "master"}], "events": [)" + events + "]}");
    char path[32] = "x";
    Bus bus;
    int count = 0;
    ASSERT_EQ(bank.getBusList(&bus, 1, &count), kOk);
    EXPECT_EQ(bus.getPath(path, sizeof path, nullptr), kErrPathUnknown);
    EXPECT_STREQ(path, "");
    Load("main.strings.bank", kStrings);
    EXPECT_EQ(bus.getPath(path, sizeof path, nullptr), kOk);
    EXPECT_STREQ(path, "bus:/");
    EXPECT_EQ(bank.getPath(path, sizeof path, nullptr), kOk);
    EXPECT_STREQ(path, "bank:/Main");

    std::vector<EventDescription> list(100);
    EXPECT_EQ(bank.getEventCount(&count), kOk);
    EXPECT_EQ(count, 150);
    EXPECT_EQ(bank.getEventList(list.data(), 100, &count), kOk);
    EXPECT_EQ(count, 100);
    EXPECT_TRUE(list[99].isValid());
}

}  // namespace
