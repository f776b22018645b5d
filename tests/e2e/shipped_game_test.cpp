// Playing the shipped game: the way into the courtyard, saving, restarting
// and continuing across two runs, the courtyard's walls, the editor's round
// trip and quitting through the pause screen's question.

#include <cmath>
#include <filesystem>
#include <optional>
#include <json/writer.h>

#include "tests/e2e/shipped_game.h"
#include "tests/support/same_json.h"

namespace fs = std::filesystem;

namespace {

class ShippedGameRuns : public ShippedGame {
protected:
    ShippedGameRuns() { WatchPositions(); }

    // An entity as the saved copy of the courtyard holds it.
    Json::Value Saved(const std::string& name) const {
        const Json::Value level = ReadJsonFile(SaveFolder() / "courtyard.json");
        for (const Json::Value& entity : level["entities"])
            if (entity["name"] == name) return entity;
        return Json::Value();
    }
    Json::Value Wisp() const { return Saved("Wisp"); }

    // Whether the watched wisp's or crate's coordinate ("x" or "y") is
    // beyond the value, towards the wall on the value's side.
    bool Beyond(const std::string& what, const std::string& axis, float value) const {
        const std::optional<glm::vec2> at = Watched(what);
        const float direction = value > 0 ? 1.0f : -1.0f;
        return at && direction * (axis == "x" ? at->x : at->y) > direction * value;
    }
    // Lets frames run: until the probe has printed twice more.
    bool SomeFramesPass() {
        const int lines = WatchedLines();
        return WaitFor(60, [&] { return WatchedLines() >= lines + 2; });
    }

    void PressAgainstEachWall(int stalls);
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
    game.Keys("keydown Up");
    EXPECT_TRUE(WaitFor(120, [this] { return Watched("wisp") && Watched("wisp")->y > -40; })) << "the wisp did not move";
    game.Keys("keyup Up");
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
    EXPECT_EQ(LastLevel(), "courtyard");
    const Json::Value first = Wisp();
    EXPECT_EQ(first["pos"]["x"].asFloat(), -120.0f);
    const float y = first["pos"]["y"].asFloat();
    EXPECT_GT(y, -40.0f) << "the wisp did not move";
    EXPECT_EQ(first["components"][2]["vel_y"].asFloat(), 0.0f) << "the wisp is saved at rest";

    // The second run: the title screen, then the courtyard with the wisp
    // where it was left, saved again on the way out.
    const auto saved = FileStamp(SaveFolder() / "courtyard.json");
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
    EXPECT_EQ(LastLevel(), "courtyard");
    EXPECT_NE(FileStamp(SaveFolder() / "courtyard.json"), saved);
    EXPECT_EQ(Wisp()["pos"]["x"].asFloat(), -120.0f);
    EXPECT_EQ(Wisp()["pos"]["y"].asFloat(), y);
}

// Each arrow key held, in a courtyard of its own as shipped, until the wisp
// is pressed against a wall, then through the given number of stalls of 0.7 s
// each: the wisp stays inside, and so does the crate it pushes east. The
// walls are 16 thick, their inner faces at x = -240 and 240 and y = -128 and
// 128; a shape pressed against one sinks in by a step's movement, so a
// centre counts as inside until it is past the wall's outer face. The wisp's
// circle (radius 6) is centred 8 above its position, and so is the crate (16
// by 16).
void ShippedGameRuns::PressAgainstEachWall(int stalls) {
    struct Hold {
        const char* key;
        const char* axis;  // the wisp's coordinate that moves
        float nearWall;    // its position gets at least this far towards the wall
        float outerFace;   // and stays short of the wall's outer face
        bool pushesCrate;
    };
    const Hold holds[] = {{"Right", "x", 200, 256, true},
                          {"Left", "x", -220, -256, false},
                          {"Up", "y", 100, 136, false},
                          {"Down", "y", -115, -152, false}};
    const auto inside = [](glm::vec2 at) { return std::fabs(at.x) < 256.0f && std::fabs(at.y + 8) < 144.0f; };
    const auto position = [](const Json::Value& entity) {
        return glm::vec2(entity["pos"]["x"].asFloat(), entity["pos"]["y"].asFloat());
    };
    for (const Hold& hold : holds) {
        SCOPED_TRACE(hold.key);
        fs::remove_all(SaveFolder());  // the courtyard as shipped
        Start();
        ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
        game.Keys(std::string("keydown ") + hold.key);
        // The crate starts at x = 40 in the wisp's way east.
        ASSERT_TRUE(WaitFor(120, [&] {
            return Beyond("wisp", hold.axis, hold.nearWall) && (!hold.pushesCrate || Beyond("crate", "x", 200));
        })) << "the wisp did not reach the wall, or did not push the crate to it";
        for (int stall = 0; stall < stalls; ++stall) {
            ASSERT_TRUE(game.Stall(0.7));
            EXPECT_TRUE(SomeFramesPass());
            const std::optional<glm::vec2> wispAt = Watched("wisp"), crateAt = Watched("crate");
            ASSERT_TRUE(wispAt && crateAt);
            EXPECT_TRUE(inside(*wispAt)) << "stall " << stall + 1 << ": the wisp at " << wispAt->x << ", " << wispAt->y;
            EXPECT_TRUE(inside(*crateAt)) << "stall " << stall + 1 << ": the crate at " << crateAt->x << ", " << crateAt->y;
        }
        game.Keys(std::string("keyup ") + hold.key);
        ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
        const Json::Value wisp = Wisp(), crate = Saved("Crate");
        ASSERT_TRUE(wisp.isObject() && crate.isObject());
        const float at = wisp["pos"][hold.axis].asFloat();
        const float direction = hold.outerFace > 0 ? 1.0f : -1.0f;
        EXPECT_GT(direction * at, direction * hold.nearWall) << "the wisp left the wall";
        EXPECT_LT(direction * at, direction * hold.outerFace) << "the wisp went through the wall";
        EXPECT_TRUE(inside(position(wisp))) << wisp["pos"].toStyledString();
        if (hold.pushesCrate) {
            EXPECT_GT(crate["pos"]["x"].asFloat(), 200.0f) << "the crate left the wall";
        }
        EXPECT_TRUE(inside(position(crate))) << "the crate went through the wall: " << crate["pos"].toStyledString();
    }
}

TEST_F(ShippedGameRuns, TheWallsKeepTheWispAndThePushedCrateInside) { PressAgainstEachWall(0); }

// A stalled game (a busy machine, a dragged window, a slow disk) goes on
// from where it stopped: a long frame carries nothing through a wall.
TEST_F(ShippedGameRuns, StallsAgainstTheWallsCarryNothingThroughThem) { PressAgainstEachWall(3); }

TEST_F(ShippedGame, TheEditorSavesTheCourtyardAsItWasShipped) {
    const fs::path level = game.game.path() / "levels" / "courtyard.json";
    const std::string shipped = game.game.Read("levels/courtyard.json");
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    // A toggle acts at the next frame, and two toggles in one frame cancel:
    // toggle until the way back out of the editor has written the level.
    const auto before = FileStamp(level);
    ASSERT_TRUE(WaitFor(60, [&] {
        game.Keys(kEditorToggle);
        return WaitFor(2, [&] { return FileStamp(level) != before; });
    })) << "leaving the editor writes levels/courtyard.json\n" << game.Stdout() << game.Stderr();
    EXPECT_EQ(game.game.Read("levels/courtyard.json"), shipped) << "no edit, no change";
    EXPECT_TRUE(game.Running()) << game.Stderr();
}

// A syntax error in the crate's script costs the player nothing: the saved
// courtyard loads with the crate's drag kept as read and saved again as it
// was, and once the script is mended the drag has its saved fields back.
TEST_F(ShippedGame, ATypoInAComponentScriptKeepsThePlayersCourtyard) {
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
    // The crate's drag as the saved copy holds it, made unlike the shipped one.
    const fs::path copy = SaveFolder() / "courtyard.json";
    const auto crateDrag = [](Json::Value& level) {
        Json::Value* drag = nullptr;
        for (Json::Value& entity : level["entities"])
            for (Json::Value& component : entity["components"])
                if (entity["name"] == "Crate" && component["__component_name"] == "Drag") drag = &component;
        return drag;
    };
    Json::Value level = ReadJsonFile(copy);
    Json::Value* drag = crateDrag(level);
    ASSERT_TRUE(drag) << "the saved courtyard holds the crate's drag";
    (*drag)["rate"] = 4.5;
    (*drag)["note"] = "set by hand";
    game.home.Write(fs::relative(copy, game.home.path()).string(), Json::writeString(Json::StreamWriterBuilder(), level));

    const std::string script = game.game.Read("lua/components/drag.lua");
    game.game.Write("lua/components/drag.lua", "components.Register(\"Drag\", {\n");
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    const std::string kept = "Lua Error: component \"Drag\" of entity \"Crate\" (id ";
    ASSERT_TRUE(WaitFor(30, [&] { return game.Stdout().find(kept) != std::string::npos; })) << game.Stdout();
    EXPECT_NE(game.Stdout().find(") in level \"courtyard\" cannot be made: unknown Lua component type \"Drag\""),
              std::string::npos)
        << game.Stdout();
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
    EXPECT_FALSE(fs::exists(SaveFolder() / "courtyard.json.damaged"));
    Json::Value again = ReadJsonFile(copy);
    ASSERT_TRUE(crateDrag(again)) << game.home.Read("Documents/Quillmere/courtyard.json");
    EXPECT_TRUE(testing_support::SameJson(*crateDrag(again), *drag)) << again.toStyledString();

    game.game.Write("lua/components/drag.lua", script);
    game.game.Write("lua/autorun/drag_probe.lua", R"(local C = require("ffi").C
events.Connect("LogicUpdate", "DragProbe", function()
    for _, drag in pairs(components.instances.Drag or {}) do C.lb_print("drag rate " .. drag.rate) end
end))");
    Start();
    ASSERT_TRUE(EnterTheCourtyard()) << game.Stdout() << game.Stderr();
    EXPECT_TRUE(WaitFor(30, [&] { return game.Stdout().find("drag rate 4.5\n") != std::string::npos; })) << game.Stdout();
    EXPECT_EQ(game.Stdout().find(kept), std::string::npos);
    ASSERT_EQ(QuitThroughThePauseScreen(), 0) << game.Stdout() << game.Stderr();
}

}  // namespace
