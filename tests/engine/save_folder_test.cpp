#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/diagnostics/console.h"
#include "core/lighting/level_lighting.h"
#include "core/save/replace_file.h"
#include "core/save/save_folder.h"
#include "platform/files.h"
#include "tests/support/error_text.h"
#include "tests/support/temp_dir.h"

using testing_support::ScopedEnv;
using testing_support::TempDir;
namespace fs = std::filesystem;

namespace {

TEST(SaveFolder, IsMadeInsideTheDocumentsFolderEvenWhenThatIsMissing) {
    TempDir home;
    ScopedEnv homeEnv("HOME", home.str());
    ScopedEnv docs("XDG_DOCUMENTS_DIR", std::nullopt);
    EXPECT_EQ(GetSaveDirectory(), home.str() + "/Documents/Quillmere/");
    EXPECT_TRUE(fs::is_directory(home.path() / "Documents" / "Quillmere"));
    EXPECT_EQ(GetSaveDirectory(), home.str() + "/Documents/Quillmere/") << "an existing folder is fine";
}

TEST(SaveFolder, ReportsWhyItCannotBeMade) {
    ScopedEnv noHome("HOME", std::nullopt);
    ScopedEnv noDocs("XDG_DOCUMENTS_DIR", std::nullopt);
    EXPECT_EQ(ErrorText([] { GetSaveDirectory(); }), "Failed to create save in \"My Documents/Quillmere\"!");

    TempDir home;
    home.Write("Documents", "a file where the folder should be");
    ScopedEnv homeEnv("HOME", home.str());
    EXPECT_EQ(ErrorText([] { GetSaveDirectory(); }),
              "Failed to create save file path in \"My Documents/Quillmere\"!");
}

TEST(ListFiles, NamesPlainFilesWithTheExtensionOnly) {
    TempDir folder;
    folder.Write("alpha.json", "{}");
    folder.Write("beta.json", "{}");
    folder.Write("notes.txt", "");
    folder.Write("gamma.json.bak", "");
    folder.Write(".json", "");  // all extension: an empty name
    fs::create_directory(folder.path() / "folder.json");
    std::vector<std::string> names = ListFiles(folder.str(), "json");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", "alpha", "beta"}));
    EXPECT_TRUE(ListFiles(folder.str() + "/missing", "json").empty());
}

TEST(ReplaceFile, ReplacesWholeAndLeavesNoTemporaryBehind) {
    TempDir folder;
    const std::string path = folder.str() + "/save_file.json";
    folder.Write("save_file.json", "an older and much longer content");
    ASSERT_TRUE(ReplaceFile(path, "new"));
    EXPECT_EQ(folder.Read("save_file.json"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(ReplaceFile, AFailedWriteKeepsWhatWasThereAndSaysSoInOneLine) {
    TempDir folder;
    fs::create_directory(folder.path() / "level.json");  // cannot be replaced by a file
    for (const std::string name : {"level.json", "missing/level.json"}) {
        const size_t lines = Console::GetLines().size();
        EXPECT_FALSE(ReplaceFile(folder.str() + "/" + name, "text")) << name;
        ASSERT_EQ(Console::GetLines().size(), lines + 1) << name;
        EXPECT_EQ(Console::GetLines().back().rfind("Could not save \"" + folder.str() + "/" + name + "\": ", 0), 0u)
            << Console::GetLines().back();
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / "level.json"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
    EXPECT_FALSE(fs::exists(folder.path() / "missing"));
}

TEST(ReplaceFile, ADocumentLargerThanTheReaderTakesIsRefusedAndTheCopyThereKept) {
    TempDir folder;
    folder.Write("level.json", "the previous copy");
    const std::string path = folder.str() + "/level.json";
    const size_t lines = Console::GetLines().size();
    EXPECT_FALSE(ReplaceFile(path, std::string(platform::kMaxReadBytes + 1, ' ')));
    ASSERT_EQ(Console::GetLines().size(), lines + 1);
    EXPECT_EQ(Console::GetLines().back(),
              "Could not save \"" + path + "\": it would be larger than 256 MB, more than the game reads");
    EXPECT_EQ(folder.Read("level.json"), "the previous copy");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
    // Exactly the cap still reads back, so it is written.
    ASSERT_TRUE(ReplaceFile(path, std::string(platform::kMaxReadBytes, ' ')));
    EXPECT_EQ(fs::file_size(path), platform::kMaxReadBytes);
}

TEST(ReplaceFile, ReplacesWhatTheNameFinallyNames) {
    TempDir folder;
    fs::create_directory(folder.path() / "real");
    const std::string longName(250, 'n');
    const struct {
        const char* what;
        std::string saved, written;  // the name saved to, the file that must hold the text
        fs::perms mode;
    } cases[] = {
        {"a link to a file in another folder", "link.json", "real/target.json", fs::perms(0640)},
        {"a link to a link", "link2.json", "real/target.json", fs::perms(0640)},
        {"a private file", "private.json", "private.json", fs::perms(0600)},
        {"the longest name a folder takes", longName, longName, fs::perms(0644)},
    };
    folder.Write("real/target.json", "old");
    fs::permissions(folder.path() / "real/target.json", fs::perms(0640));
    fs::create_symlink("real/target.json", folder.path() / "link.json");
    fs::create_symlink(folder.path() / "link.json", folder.path() / "link2.json");
    folder.Write("private.json", "old");
    fs::permissions(folder.path() / "private.json", fs::perms(0600));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ReplaceFile(folder.str() + "/" + c.saved, std::string("by ") + c.what));
        EXPECT_EQ(folder.Read(c.written), std::string("by ") + c.what);
        EXPECT_EQ(fs::status(folder.path() / c.written).permissions() & fs::perms::all, c.mode);
    }
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.json"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link2.json"));
}

TEST(ReplaceFile, RemovesTemporariesThatAKilledSaveLeftInItsFolder) {
    TempDir folder;
    folder.Write(".quillmere-save-a1B2c3", std::string(1 << 16, 'x'));
    folder.Write(".quillmere-save-notes.txt", "a player's own file");
    folder.Write("level.json.a1B2c3", "not ours either");
    ASSERT_TRUE(ReplaceFile(folder.str() + "/level.json", "new"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".quillmere-save-notes.txt", "level.json", "level.json.a1B2c3"}));
}

Json::Value LightingObject(std::initializer_list<std::pair<const char*, Json::Value>> members) {
    Json::Value value(Json::objectValue);
    for (const auto& [key, member] : members) value[key] = member;
    return value;
}

TEST(LevelLighting, MissingFadeValuesKeepTheirsAndTheRestBecomeZero) {
    Json::Value colour(Json::objectValue);
    colour["x"] = 0.5;
    colour["y"] = 0.25;
    colour["z"] = 1.0;
    ApplyLevelLighting(LightingObject({{"moonlight_fade_dist", 40.0}, {"moonlight_fade_exponent", 2.0},
                                 {"global_ambient", colour}, {"global_ambient_intensity", 0.5}}));
    EXPECT_EQ(moonlight_color, glm::vec3(0.0f)) << "missing colour is black";
    EXPECT_EQ(global_ambient, glm::vec3(0.5f, 0.25f, 1.0f));
    EXPECT_EQ(global_ambient_intensity, 0.5f);
    EXPECT_EQ(attenuation_zero, 0.0f);

    ApplyLevelLighting(LightingObject({{"moonlight_color", colour}, {"moonlight_fade_dist", Json::Value()},
                                 {"moonlight_fade_exponent", "steep"}}));
    EXPECT_EQ(moonlight_fade_dist, 40.0f) << "null keeps the previous level's value";
    EXPECT_EQ(moonlight_fade_exponent, 2.0f) << "text is no number: kept";
    EXPECT_EQ(moonlight_color, glm::vec3(0.5f, 0.25f, 1.0f));
    EXPECT_EQ(global_ambient, glm::vec3(0.0f)) << "missing ambient is black";
    EXPECT_EQ(global_ambient_intensity, 0.0f);
}

TEST(LevelLighting, NoGraphicsObjectKeepsAllSix) {
    ApplyLevelLighting(LightingObject({{"moonlight_fade_dist", 7.0}, {"attenuation_zero", 0.5}}));
    const Json::Value before = LevelLightingToJson();
    ApplyLevelLighting(Json::Value());
    ApplyLevelLighting(Json::Value(3));
    EXPECT_EQ(LevelLightingToJson(), before);
    EXPECT_EQ(before["moonlight_fade_dist"].asFloat(), 7.0f);
    EXPECT_EQ(before["attenuation_zero"].asFloat(), 0.5f);
    EXPECT_EQ(before["moonlight_color"]["z"].asFloat(), 0.0f);
}

}  // namespace
