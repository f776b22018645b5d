// The game as shipped in data/, played through the real executable: the
// way into the courtyard, saving, restarting and
// continuing across two runs, the editor's round trip and quitting through
// the pause screen's question.

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "tests/e2e/game_process.h"
#include "tests/e2e/window_close.h"
#include "tests/support/same_json.h"

namespace fs = std::filesystem;

namespace {

const std::string kEditorToggle = "keydown Control_L keydown Shift_L key F8 keyup Shift_L keyup Control_L";

Json::Value ReadJson(const fs::path& path) {
    std::ifstream file(path);
    Json::Value value;
    Json::CharReaderBuilder builder;
    std::string errors;
    if (!file || !Json::parseFromStream(builder, file, &value, &errors)) return Json::Value();
    return value;
}

class ShippedGame : public ::testing::Test {
protected:
    ShippedGame() {
        const fs::path data = fs::path(QM_SOURCE_DIR) / "data";
        const auto options = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
        fs::copy(data / "levels", game.game.path() / "levels", options);
        fs::copy(data / "lua", game.game.path() / "lua", options);
    }

    fs::path SaveFolder() const { return game.home.path() / "Documents" / "Quillmere"; }
    Json::Value SaveFile() const { return ReadJson(SaveFolder() / "save_file.json"); }
    std::string LastLevel() const { return SaveFile()["last_level"].asString(); }

    void Start() {
        game.Start();
        game.FocusWindow();
    }

    // Enter on the title screen until the courtyard is loaded: leaving the
    // title screen writes the save file naming it.
    bool EnterTheCourtyard() {
        return WaitFor(90, [this] {
            game.Keys("key Return");
            return WaitFor(2, [this] { return LastLevel() == "korvel_splash"; });
        });
    }

    // The window's close button, then Enter at the pause screen's question,
    // until the game has ended; its exit status.
    int QuitThroughThePauseScreen() {
        WaitFor(60, [this] {
            RequestWindowClose(game.DisplayName(), "Quillmere");
            game.Keys("key Return");
            return WaitFor(2, [this] { return !game.Running(); });
        });
        return game.WaitForExit(10);
    }

    GameProcess game;
};

TEST_F(ShippedGame, SavesRestartsAndContinuesAcrossTwoRuns) {
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    EXPECT_TRUE(fs::exists(SaveFolder() / "korvel_splash.json")) << "the title screen is saved as it is left";

    // Paused, R starts the courtyard again and forgets the saved game.
    game.Keys("key Escape");
    ASSERT_TRUE(WaitFor(60, [this] {
        game.Keys("key r");
        return WaitFor(1, [this] { return !fs::exists(SaveFolder() / "save_file.json"); });
    }));
    EXPECT_FALSE(fs::exists(SaveFolder() / "korvel_splash.json"));

    // The wisp goes north; where it stops is kept when the game is quit.
    game.Keys("keydown Up sleep 1 keyup Up");
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
    const Json::Value first = SaveFile();
    EXPECT_EQ(first["last_level"].asString(), "courtyard");
    EXPECT_EQ(first["player_x"].asFloat(), -120.0f);
    const float y = first["player_y"].asFloat();
    EXPECT_GT(y, -40.0f) << "the wisp did not move";

    // The second run: the title screen, then the courtyard with the wisp
    // where it was left.
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    EXPECT_EQ(SaveFile()["player_y"].asFloat(), y) << "the title screen's save keeps the courtyard's progress";
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
    const Json::Value second = SaveFile();
    EXPECT_EQ(second["last_level"].asString(), "courtyard");
    EXPECT_EQ(second["player_x"].asFloat(), -120.0f);
    EXPECT_EQ(second["player_y"].asFloat(), y);
}

TEST_F(ShippedGame, TheEditorSavesTheCourtyardAsItWasShipped) {
    const std::string shipped = game.game.Read("levels/courtyard.json");
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    // A toggle acts at the next frame, and two toggles in one frame cancel:
    // toggle until the way back out of the editor has written the level.
    ASSERT_TRUE(WaitFor(60, [&] {
        game.Keys(kEditorToggle);
        return WaitFor(2, [&] { return game.game.Read("levels/courtyard.json") != shipped; });
    }));
    std::string written;
    Json::Value saved;
    ASSERT_TRUE(WaitFor(10, [&] {
        written = game.game.Read("levels/courtyard.json");
        saved = ReadJson(game.game.path() / "levels" / "courtyard.json");
        return saved.isObject();
    }));
    std::istringstream in(shipped);
    Json::Value original;
    in >> original;
    EXPECT_TRUE(testing_support::SameJson(saved, original)) << written;
    EXPECT_TRUE(game.Running()) << game.Stderr();
}

}  // namespace
