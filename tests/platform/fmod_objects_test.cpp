#include <cstring>

#include <filesystem>
#include <limits>

#include <sndfile.h>
#include <sys/stat.h>

#include "platform/fmod/decode.h"
#include "platform/fmod/low_level.h"
#include "tests/platform/fmod_fixture.h"
#include "tests/support/wave_bytes.h"

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

TEST_F(StudioTest, EachSoundLoadsOrLeavesOnlyItsOwnEventSilentWithTheReason) {
    enum Kind { kBytes, kAbsent, kFifo, kLink, kEncoded };
    struct Case {
        const char* sound;  // as the bank names it; empty: an event without a sound
        Kind kind;
        std::string reason;  // empty: the sound is used
        std::string bytes = {};  // the file's, or the target of a link
        int format = 0;    // encoded by libsndfile: seconds of two channels at rate
        int seconds = 1;
        int rate = 22050;
    };
    using testing_support::WaveBytes;
    constexpr int kFlac = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    const std::string pcm(400, '\x10');
    const std::string unreadable = "is left out because it is not a sound file that can be read: ";
    WriteTone("good.wav", 0.5f);
    int number = 0;
    // A sound may last ten minutes; one a second longer, small as a file of
    // silence is, is refused, and so is a shorter one at so high a rate that
    // it holds more than 2^26 samples.
    for (const Case& c :
         {Case{"tone.wav", kEncoded, "", "", SF_FORMAT_WAV | SF_FORMAT_PCM_16}, Case{"tone.flac", kEncoded, "", "", kFlac},
          Case{"tone.ogg", kEncoded, "", "", SF_FORMAT_OGG | SF_FORMAT_VORBIS}, Case{"linked.wav", kLink, "", "tone.flac"},
          Case{"ten_minutes.flac", kEncoded, "", "", kFlac, 600, 8000}, Case{"", kBytes, ""},
          Case{"absent.wav", kAbsent, "is left out because there is no such file"},
          Case{"fifo.wav", kFifo, "is left out because it is not a plain file"},
          Case{"zero.wav", kLink, "is left out because it is not a plain file", "/dev/zero"},
          Case{"empty.wav", kBytes, "is left out because the file is empty"},
          Case{"text.wav", kBytes, unreadable + "Format not recognised.", "RIFF but not really"},
          Case{"mute.wav", kBytes, unreadable + "Channel count is zero.", WaveBytes(1, 0, 8000, 16, pcm)},
          Case{"rate0.wav", kBytes, unreadable, WaveBytes(1, 1, 0, 16, pcm)},
          Case{"wide.wav", kBytes, unreadable + "Too many channels specified.", WaveBytes(1, 65535, 8000, 16, pcm)},
          Case{"nothing.wav", kBytes, "is left out because it holds no samples", WaveBytes(1, 1, 8000, 16, "")},
          Case{"longer.flac", kEncoded,
               "is left out because its 4808000 samples at 8000 Hz are more than the 4800000 a sound may hold "
               "(ten minutes, and never more than 67108864)",
               "", kFlac, 601, 8000},
          Case{"dense.flac", kEncoded, "is left out because its 67501050 samples at 655350 Hz are more than the 67108864",
               "", kFlac, 103, 655350},
          Case{"sub/../../tone.wav", kBytes, "is left out because its name leads out of the bank's folder"},
          Case{"/dev/zero", kBytes, "is left out because its name leads out of the bank's folder"}}) {
        const std::string file = c.sound, name = "case" + std::to_string(++number);
        const std::filesystem::path path = folder.path() / file;
        if (c.kind == kFifo) {
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        } else if (c.kind == kLink) {
            std::filesystem::create_symlink(c.bytes, path);
        } else if (c.kind == kEncoded) {
            SF_INFO info{};
            info.samplerate = c.rate;
            info.channels = 2;
            info.format = c.format;
            SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
            ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
            const std::vector<float> second(static_cast<size_t>(c.rate) * 2, 0.25f);
            for (int i = 0; i < c.seconds; ++i) sf_writef_float(out, second.data(), c.rate);
            sf_close(out);
        } else if (c.kind == kBytes && !file.empty() && file.find('/') == std::string::npos) {
            folder.Write(file, c.bytes);
        }
        // The bank's other event plays whatever the sound beside it.
        folder.Write(name + ".bank", R"({"events": [{"id": "good", "sound": "good.wav"}, {"id": "e")" +
                                         (file.empty() ? "" : R"(, "sound": ")" + file + '"') + "}]}");
        Bank bank;
        ASSERT_EQ(system.loadBankFile((folder.path() / (name + ".bank")).c_str(), 0, &bank), kOk) << name;
        LoadingState state = kLoaded;
        EXPECT_EQ(bank.getSampleLoadingState(&state), kOk);
        EXPECT_EQ(state, kUnloaded) << name;
        bank.loadSampleData();
        EXPECT_EQ(bank.getSampleLoadingState(&state), kOk);
        EXPECT_EQ(state, kLoading) << name;
        system.update();
        EXPECT_EQ(bank.getSampleLoadingState(&state), kOk);
        EXPECT_EQ(state, kLoaded) << name;
        EventDescription events[2];
        int count = 0;
        ASSERT_EQ(bank.getEventList(events, 2, &count), kOk);
        EventInstance good, instance;
        events[0].createInstance(&good);
        events[1].createInstance(&instance);
        EXPECT_EQ(good.start(), kOk) << file;
        EXPECT_EQ(events[1].loadSampleData(), c.reason.empty() ? kOk : kErrSoundFormat) << name;
        EXPECT_EQ(instance.start(), c.reason.empty() ? kOk : kErrNoSampleData) << name;
        PlaybackState playing = kStopped;
        instance.getPlaybackState(&playing);
        EXPECT_EQ(playing, c.reason.empty() && !file.empty() ? kPlaying : kStopped) << "a silent event ends at once";
        std::vector<std::string> problems{"left over"};
        EXPECT_EQ(bank.getSoundProblems(&problems), kOk);
        if (c.reason.empty()) {
            EXPECT_TRUE(problems.empty()) << file << ": " << problems.front();
        } else {
            ASSERT_EQ(problems.size(), 1u) << file;
            const std::string start = "bank " + (folder.path() / (name + ".bank")).string() + ", event \"e\": the sound " +
                                      path.string() + " ";
            EXPECT_EQ(problems[0].substr(0, start.size()), start) << name;
            EXPECT_NE(problems[0].find(c.reason), std::string::npos) << problems[0];
        }
    }
}

TEST(Decoding, FloatSamplesOutsideFullScaleAreClampedAndNaNIsSilence) {
    const testing_support::TempDir folder;
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    folder.Write("float.wav", testing_support::WaveBytes(testing_support::kWaveFloat, 1, 8000, 32,
                                                         testing_support::FloatData({nan, 2.0f, -inf, 0.5f, -1e30f, 0.0f})));
    detail::DecodedSound sound;
    std::string problem = "left over";
    ASSERT_TRUE(detail::DecodeSound((folder.path() / "float.wav").string(), sound, problem)) << problem;
    EXPECT_EQ(problem, "");
    EXPECT_EQ(sound.samples, (std::vector<int16_t>{0, 32767, -32767, 16383, -32767, 0}));
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
