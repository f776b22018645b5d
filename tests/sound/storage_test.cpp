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

TEST_F(Storage, EntriesThatMakeNoCueAreWrittenBackAsTheyWereAfterTheCues) {
    // What a designer's file may hold that this run cannot make: an event of
    // a bank left out, a second cue of one name, a path too short to name an
    // event, an entry without its path, and a volume of the wrong kind.
    const std::string unmade[][3] = {
        {R"("Far")", R"("event:/SFX/Nowhere")", "0.125"},
        {R"("A")", R"("event:/Music/A")", "0.5"},
        {R"("Short")", R"("event:")", "1"},
        {R"("NoPath")", "", "0.25"},
        {R"(7)", R"("event:/SFX/Click")", R"("loud")"},
    };
    std::string json = R"({"Sounds": {"Cue Number": 7, "Sound0": "A", "Sound0Evt": "event:/SFX/Click",
        "Sound0EvtVol": 0.75, "Sound6": "B", "Sound6Evt": "event:/Music/A", "Sound6EvtVol": 0.5)";
    for (int i = 0; i < 5; ++i) {
        const std::string key = "\"Sound" + std::to_string(i + 1);
        json += ", " + key + "\": " + unmade[i][0];
        if (!unmade[i][1].empty()) json += ", " + key + "Evt\": " + unmade[i][1];
        json += ", " + key + "EvtVol\": " + unmade[i][2];
    }
    WriteStorage(json + "}}");
    Start();
    ASSERT_THAT(CueNames(), ElementsAre("A", "B"));
    const std::vector<std::string> lines = NewLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(lines.end() - 5, lines.end()), ElementsAre("couldn't find bank event:/SFX/Nowhere, is it in the audio folder?",
                                        "Cue \"A\" already exists; the second one is left out",
                                        "Cue \"Short\" not made from the event path \"event:\": invalid string position",
                                        "Sound storage entry Sound4 has no cue name or no event path; it is kept as it is",
                                        "Sound storage entry Sound5 has no cue name or no event path; it is kept as it is"));

    SoundSpace::SaveStorage();
    const Json::Value saved = Saved();
    EXPECT_EQ(saved["Cue Number"].asUInt(), 7u) << "the cues made and the entries kept";
    EXPECT_EQ(saved["Sound0"].asString(), "A");
    EXPECT_EQ(saved["Sound1"].asString(), "B");
    for (int i = 0; i < 5; ++i) {
        const std::string key = "Sound" + std::to_string(i + 2);
        Json::Value entry;
        std::istringstream(std::string("[") + unmade[i][0] + "," + (unmade[i][1].empty() ? "null" : unmade[i][1]) +
                           "," + unmade[i][2] + "]") >>
            entry;
        EXPECT_EQ(saved[key], entry[0]) << key;
        EXPECT_EQ(saved[key + "Evt"], entry[1]) << key;
        EXPECT_EQ(saved.isMember(key + "Evt"), !unmade[i][1].empty()) << key << ": a missing member stays missing";
        EXPECT_EQ(saved[key + "EvtVol"], entry[2]) << key;
    }

    // The next run reads what was written and writes it again unchanged, and
    // a cue the designer makes goes after the other cues.
    const std::string first = game.Read("audio/SoundStorage.json");
    SoundSpace::LoadCues();
    SoundSpace::SaveStorage();
    EXPECT_EQ(game.Read("audio/SoundStorage.json"), first);
    ASSERT_NE(SoundSpace::CreateCue("event:/SFX/Click", "New"), nullptr);
    ++audio::cueCount;
    SoundSpace::SaveStorage();
    EXPECT_EQ(Saved()["Cue Number"].asUInt(), 8u);
    EXPECT_EQ(Saved()["Sound2"].asString(), "New");
    EXPECT_EQ(Saved()["Sound3"].asString(), "Far");
}

// A hand edit that leaves "Cue Number" below the entries, or not a number,
// costs no entry: those past the count make no cue, are said, and come back
// unchanged, still past the count; members no cue is made from come back too.
TEST_F(Storage, EntriesPastTheCountAndUnknownMembersAreWrittenBack) {
    const auto withOthers = [](std::string json) {
        json.insert(json.size() - 2, R"(, "Sound01": "padded", "Sound2Vol": 3, "Comment": {"by": "designer"})");
        return json.insert(json.size() - 1, R"(, "Note": [1, 2])");
    };
    const std::string prefix = "Sound storage \"Cue Number\" is ";
    const std::string all = ": entries Sound0 to Sound2 make no cue and are kept as they are";
    struct Case {
        std::string count;
        std::vector<std::string> names;
        std::string line;
    };
    for (const Case& c : {Case{"1", {"C0"}, prefix + "1: entries Sound1 to Sound2 make no cue and are kept as they are"},
                          Case{"2", {"C0", "C1"}, prefix + "2: entry Sound2 makes no cue and is kept as it is"},
                          Case{"\"three\"", {}, prefix + "not a number" + all}, Case{"-1", {}, prefix + "-1" + all}}) {
        if (audio::events.empty()) StartEmpty();
        WriteStorage(withOthers(CuesJson(3, c.count)));
        NewLines();
        SoundSpace::LoadCues();
        EXPECT_EQ(CueNames(), c.names) << c.count;
        EXPECT_THAT(NewLines(), ElementsAre(c.line));

        SoundSpace::SaveStorage();
        Json::Value saved, expected;
        std::istringstream(game.Read("audio/SoundStorage.json")) >> saved;
        std::istringstream(withOthers(CuesJson(3, "0"))) >> expected;
        expected["Sounds"]["Cue Number"] = static_cast<int>(c.names.size());
        EXPECT_TRUE(saved == expected) << c.count << "\n" << saved.toStyledString();
        SoundSpace::LoadCues();
        EXPECT_EQ(CueNames(), c.names) << c.count << ": the same cues next time";
    }

    // A cue the designer makes is counted; the entries past the count stay past it.
    ASSERT_NE(SoundSpace::CreateCue("event:/Music/A", "New"), nullptr);
    ++audio::cueCount;
    SoundSpace::SaveStorage();
    EXPECT_EQ(Saved()["Cue Number"].asUInt(), 1u);
    EXPECT_EQ(Saved()["Sound0"].asString(), "New");
    EXPECT_EQ(Saved()["Sound3"].asString(), "C2");
}

TEST_F(Storage, ADamagedCopyInTheSaveFolderIsSetAsideAndTheShippedOneRead) {
    StartEmpty();
    WriteStorage(CuesJson(1, "1"));
    const std::string saved = (home.path() / "Documents/Quillmere/SoundStorage.json").string();
    struct Case {
        std::string text;
        std::string problem;
    };
    const std::string deep = std::string(5000, '[') + std::string(5000, ']');
    const std::string noSounds = "It holds no \"Sounds\" object.";
    for (const Case& c : {Case{"", "* Line 1, Column 1 Syntax error: value, object or array expected."},
                          Case{"{\"Sounds\": {", "* Line 1, Column 13 Missing '}' or object member name"},
                          Case{deep, "Exceeded stackLimit in readValue()."}, Case{"[1, 2, 3]", noSounds},
                          Case{R"({"Sounds": "none"})", noSounds}}) {
        home.Write("Documents/Quillmere/SoundStorage.json", c.text);
        NewLines();
        SoundSpace::LoadCues();
        EXPECT_THAT(CueNames(), ElementsAre("C0")) << c.text.substr(0, 20);
        const std::vector<std::string> lines = NewLines();
        ASSERT_EQ(lines.size(), 1u) << c.text.substr(0, 20);
        EXPECT_EQ(lines[0], "\"" + saved + "\" is damaged, set aside as \"" + saved + ".damaged\": " + c.problem);
        EXPECT_EQ(home.Read("Documents/Quillmere/SoundStorage.json.damaged"), c.text);
        EXPECT_FALSE(std::filesystem::exists(saved));
        std::filesystem::remove(saved + ".damaged");
        std::filesystem::remove(saved);
    }
}

TEST_F(Storage, WithNoReadableStorageTheGameStartsWithNoCuesAndKeepsTheFile) {
    struct Case {
        const char* text;  // null: no file
        std::string line;
    };
    const std::string deep = std::string(5000, '[');
    const std::string prefix = "No sound cues: \"Audio/SoundStorage.json\" ";
    StartEmpty();
    for (const Case& c :
         {Case{nullptr, prefix + "is missing or not a plain file"},
          Case{"", prefix + "is damaged: * Line 1, Column 1   Syntax error: value, object or array expected. "},
          Case{"{\"Sounds\": ", prefix + "is damaged: * Line 1, Column 12   Syntax error: value, object or array expected. "},
          Case{deep.c_str(), prefix + "is damaged: Exceeded stackLimit in readValue()."},
          Case{R"({"sounds": {"Cue Number": 0}})", prefix + "is damaged: It holds no \"Sounds\" object."}}) {
        std::filesystem::remove(game.path() / "audio/SoundStorage.json");
        if (c.text) WriteStorage(c.text);
        // A damaged copy in the save folder too: set aside, then the shipped one fails.
        home.Write("Documents/Quillmere/SoundStorage.json", "{");
        NewLines();
        SoundSpace::LoadCues();
        EXPECT_TRUE(audio::cues.empty());
        const std::vector<std::string> lines = NewLines();
        ASSERT_EQ(lines.size(), 2u) << c.line;
        EXPECT_THAT(lines[0], ::testing::HasSubstr("set aside"));
        EXPECT_EQ(lines[1], c.line);
        SoundSpace::SaveStorage();
        if (c.text) EXPECT_EQ(game.Read("audio/SoundStorage.json"), c.text) << "not overwritten at shut-down";
        else EXPECT_FALSE(std::filesystem::exists(game.path() / "audio/SoundStorage.json"));
    }
    // A cue the designer makes is worth writing.
    ASSERT_NE(SoundSpace::CreateCue("event:/Music/A", "Theme"), nullptr);
    ++audio::cueCount;
    SoundSpace::SaveStorage();
    EXPECT_EQ(Saved()["Cue Number"].asUInt(), 1u);
    EXPECT_EQ(Saved()["Sound0"].asString(), "Theme");
    audio::cues.clear();
    audio::cueCount = 0;
    SoundSpace::SaveStorage();
    EXPECT_EQ(Saved()["Cue Number"].asUInt(), 0u) << "once written, the file follows the cue list";
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
