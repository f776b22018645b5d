#include <gmock/gmock.h>

#include <json/reader.h>

#include "sound/audio_state.h"
#include "sound/sound_space.h"
#include "tests/sound/audio_fixture.h"

namespace {

using ::testing::ElementsAre;

class Storage : public AudioTest {
protected:
    Storage() { WriteBanks({"event:/SFX/Click", "event:/Music/A"}); }

    void StartEmpty() {
        WriteStorage(R"({"Sounds": {"Cue Number": 0}})");
        Start();
    }

    std::vector<std::string> CueNames() const {
        std::vector<std::string> names;
        for (const auto& cue : audio::cues) names.push_back(cue->name);
        return names;
    }

    Json::Value Saved() const {
        Json::Value root;
        std::istringstream in(game.Read("audio/SoundStorage.json"));
        in >> root;
        return root["Sounds"];
    }

    // n cues named C0.. on the click event, with volumes 0.5, 0.25, ...
    static std::string CuesJson(int n, const std::string& count) {
        std::string json = R"({"Sounds": {"Cue Number": )" + count;
        for (int i = 0; i < n; ++i) {
            const std::string key = "Sound" + std::to_string(i);
            json += ", \"" + key + "\": \"C" + std::to_string(i) + "\", \"" + key + "Evt\": \"event:/SFX/Click\", \"" +
                    key + "EvtVol\": " + std::to_string(1.0 / (2 << i));
        }
        return json + "}}";
    }
};

TEST_F(Storage, TheCountBoundsTheCuesReadAndAbsurdCountsAreSafe) {
    struct Case {
        int written;
        std::string count;
        std::vector<std::string> names;
    };
    for (const Case& c : {Case{3, "2", {"C0", "C1"}}, Case{2, "5", {"C0", "C1"}}, Case{2, "4000000000", {"C0", "C1"}},
                          Case{2, "1e300", {"C0", "C1"}}, Case{2, "-3", {}}, Case{2, "\"two\"", {}},
                          Case{2, "null", {}}}) {
        if (audio::events.empty()) StartEmpty();
        WriteStorage(CuesJson(c.written, c.count));
        SoundSpace::LoadCues();
        EXPECT_EQ(CueNames(), c.names) << c.count;
    }
    WriteStorage(R"({"Sounds": {"Cue Number": 2, "Sound0": "Gone", "Sound0Evt": "event:/SFX/Nowhere",
        "Sound0EvtVol": 0.1, "Sound1": "Kept", "Sound1Evt": "event:/SFX/Click", "Sound1EvtVol": 0.4}})");
    SoundSpace::LoadCues();
    ASSERT_EQ(CueNames(), std::vector<std::string>{"Kept"});
    EXPECT_FLOAT_EQ(audio::cues[0]->volume, 0.4f) << "each volume goes to the cue just made";
    WriteStorage(R"({"Sounds": {"Cue Number": 1, "Sound0": "NoVolume", "Sound0Evt": "event:/SFX/Click"}})");
    SoundSpace::LoadCues();
    EXPECT_FLOAT_EQ(audio::cues[0]->volume, 0.0f);
    WriteStorage("[1, 2]");
    SoundSpace::LoadCues();
    EXPECT_TRUE(audio::cues.empty());
}

TEST_F(Storage, TheSaveFolderCopyIsReadFirstAndNeverWritten) {
    WriteStorage(CuesJson(1, "1"));
    home.Write("Documents/Quillmere/SoundStorage.json",
               R"({"Sounds": {"Cue Number": 1, "Sound0": "Saved", "Sound0Evt": "event:/Music/A", "Sound0EvtVol": 1}})");
    Start();
    EXPECT_THAT(CueNames(), ElementsAre("Saved"));
    const std::string savedCopy = home.Read("Documents/Quillmere/SoundStorage.json");
    std::filesystem::rename(home.path() / "Documents/Quillmere/SoundStorage.json", home.path() / "aside.json");
    SoundSpace::LoadCues();
    EXPECT_THAT(CueNames(), ElementsAre("C0")) << "without it, the copy in Audio/";

    std::filesystem::rename(home.path() / "aside.json", home.path() / "Documents/Quillmere/SoundStorage.json");
    SoundSpace::SaveStorage();
    EXPECT_EQ(home.Read("Documents/Quillmere/SoundStorage.json"), savedCopy);
    EXPECT_EQ(Saved()["Sound0"].asString(), "C0");
}

TEST_F(Storage, SavingWritesTheCuesItHoldsUnderPlainIndexKeys) {
    WriteStorage(CuesJson(12, "12"));
    Start();
    audio::cues[10]->volume = 0.75f;
    audio::cueCount = 15;
    SoundSpace::SaveStorage();
    const Json::Value saved = Saved();
    EXPECT_EQ(saved["Cue Number"].asUInt(), 12u) << "the cues actually written";
    EXPECT_EQ(saved["Sound10"].asString(), "C10");
    EXPECT_EQ(saved["Sound10Evt"].asString(), "event:/SFX/Click");
    EXPECT_DOUBLE_EQ(saved["Sound10EvtVol"].asDouble(), 0.75);
    EXPECT_FALSE(saved.isMember("Sound010"));
    EXPECT_FALSE(saved.isMember("Sound12"));

    audio::cueCount = 3;
    SoundSpace::SaveStorage();
    EXPECT_EQ(Saved()["Cue Number"].asUInt(), 3u);
    EXPECT_FALSE(Saved().isMember("Sound3"));
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(game.path() / "audio"))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_THAT(files, ElementsAre("SoundStorage.json", "bankFiles.txt", "main.bank", "main.strings.bank",
                                   "stringFiles.txt", "tone.wav"))
        << "written through a temporary file that is gone again";
}

TEST_F(Storage, TheCueLocationFileIsEmptiedOrReported) {
    game.Write("audio/Cue Location", "old");
    SoundSpace::ClearCueLocationFile();
    EXPECT_EQ(game.Read("audio/Cue Location"), "");
    NewLines();
    std::filesystem::remove(game.path() / "Audio");
    SoundSpace::ClearCueLocationFile();
    EXPECT_THAT(NewLines(), ElementsAre("coldn't open Cue Location for write"));
}

}  // namespace
