// Playing the shipped game: the way into the courtyard, saving, restarting
// and continuing across two runs, the editor's round trip and quitting
// through the pause screen's question.

#include <filesystem>
#include <sstream>

#include <json/reader.h>

#include "tests/e2e/shipped_game.h"
#include "tests/support/same_json.h"

namespace fs = std::filesystem;

namespace {

const std::string kEditorToggle = "keydown Control_L keydown Shift_L key F8 keyup Shift_L keyup Control_L";

TEST_F(ShippedGame, SavesRestartsAndContinuesAcrossTwoRuns) {
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    // The title screen is saved as it is left, its floating crest back in
    // its place: the saved copy is what the next run loads.
    const Json::Value title = ReadJsonFile(SaveFolder() / "korvel_splash.json");
    ASSERT_TRUE(title.isObject()) << "the title screen is saved as it is left";
    EXPECT_EQ(title["entities"][1]["name"].asString(), "Korvel Crest");
    EXPECT_EQ(title["entities"][1]["pos"]["y"].asFloat(), 24.0f);

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
        saved = ReadJsonFile(game.game.path() / "levels" / "courtyard.json");
        return saved.isObject();
    }));
    std::istringstream in(shipped);
    Json::Value original;
    in >> original;
    EXPECT_TRUE(testing_support::SameJson(saved, original)) << written;
    EXPECT_TRUE(game.Running()) << game.Stderr();
}

}  // namespace
