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

class ShippedGameRuns : public ShippedGame {
protected:
    // The wisp as the saved copy of the courtyard holds it.
    Json::Value Wisp() const {
        const Json::Value level = ReadJsonFile(SaveFolder() / "courtyard.json");
        for (const Json::Value& entity : level["entities"])
            if (entity["name"] == "Wisp") return entity;
        return Json::Value();
    }
};

const std::string kEditorToggle = "keydown Control_L keydown Shift_L key F8 keyup Shift_L keyup Control_L";

TEST_F(ShippedGameRuns, SavesRestartsAndContinuesAcrossTwoRuns) {
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

    // The wisp goes north; quitting saves the courtyard with the wisp where
    // it stopped.
    game.Keys("keydown Up sleep 1 keyup Up");
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
    EXPECT_EQ(LastLevel(), "courtyard");
    const Json::Value first = Wisp();
    EXPECT_EQ(first["pos"]["x"].asFloat(), -120.0f);
    const float y = first["pos"]["y"].asFloat();
    EXPECT_GT(y, -40.0f) << "the wisp did not move";
    EXPECT_EQ(first["components"][2]["vel_y"].asFloat(), 0.0f) << "the wisp is saved at rest";

    // The second run: the title screen, then the courtyard with the wisp
    // where it was left, saved again on the way out.
    const auto saved = fs::last_write_time(SaveFolder() / "courtyard.json");
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
    EXPECT_EQ(LastLevel(), "courtyard");
    EXPECT_NE(fs::last_write_time(SaveFolder() / "courtyard.json"), saved);
    EXPECT_EQ(Wisp()["pos"]["x"].asFloat(), -120.0f);
    EXPECT_EQ(Wisp()["pos"]["y"].asFloat(), y);
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
