// The editor in the real game: keys and the mouse through xdotool, the
// result read from the level file it writes and from the screen.
#include <regex>
#include <sstream>

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "tests/e2e/game_process.h"
#include "tests/e2e/screen.h"

namespace {

const std::string kEditorToggle = "keydown Control_L keydown Shift_L key F8 keyup Shift_L keyup Control_L";

const char* kLevel = R"({"tile_map": {"width": 2, "height": 2, "tile_width": 16, "tile_height": 16,
    "tiles": "0 0 0 0 ", "tile_textures": ["debug", "debug"]},
  "entities": [{"name": "alpha", "pos": {"x": 40, "y": 0, "z": 0}, "components": null},
               {"name": "beta", "pos": {"x": -40, "y": 20, "z": 0.5}, "components": null}],
  "graphics": {"moonlight_color": {"x": 1, "y": 1, "z": 1}, "moonlight_fade_dist": 100,
    "moonlight_fade_exponent": 15, "global_ambient": {"x": 1, "y": 1, "z": 1},
    "global_ambient_intensity": 1, "attenuation_zero": 0.001}})";

// The game starts full screen on the 1920 by 1080 test display: the pixel
// scale is 4 and world (0, 0) sits at the screen's centre, y upwards.
int ScreenX(float x) { return 960 + static_cast<int>(x * 4); }
int ScreenY(float y) { return 540 - static_cast<int>(y * 4); }

// Where the editor's window puts things in its first-use layout.
constexpr int kMenuY = 35;
constexpr int kLevelMenuX = 79, kTilesMenuX = 181, kGraphicsMenuX = 243;
constexpr int kSaveAndReloadX = 204, kSaveAndReloadY = 85;
constexpr int kTileTypeOneX = 75, kTileTypeOneY = 423;
constexpr int kAmbientIntensityX = 140, kAmbientIntensityY = 158;
// The inspector's first component section and, once it is open, its rows.
constexpr int kSectionX = 200, kSectionY = 393, kFieldX = 300, kFirstFieldY = 416, kFieldRow = 23;

// A Lua component with a number and a text field; every edit the inspector
// reports is printed, so the test sees when the game has taken it.
const char* kTuningScript = R"(
components.Register("Tuning", { fields = { speed = 1.5, spin = 2, tag = "wood", title = "crate" } })
local set = lb_ComponentEditInfoSet
lb_ComponentEditInfoSet = function(entity, typeName, key, value)
    set(entity, typeName, key, value)
    require("ffi").C.lb_print("edited " .. key .. " = " .. tostring(value))
end
)";

// Q ends the game, in the editor as outside it.
const char* kQuitOnQ = R"(
local C = require("ffi").C
events.Connect("KeyPressed", "quit", function(key) if key == 81 then C.lb_engine_quit_game() end end)
)";

Json::Value Parse(const std::string& text) {
    std::istringstream in(text);
    Json::Value value;
    in >> value;
    return value;
}

class EditorGame : public ::testing::Test {
protected:
    ScreenPicture Screen() const { return GrabScreen(game.DisplayName()); }
    std::string Level() const { return game.game.Read("levels/korvel_splash.json"); }

    void Keys(const std::string& keys) { game.Keys(keys); }
    void Move(int x, int y) { Keys("mousemove " + At(x, y)); }

    // The pixels of the 13 by 13 square around (x, y).
    std::vector<uint8_t> Patch(int x, int y) const {
        const ScreenPicture screen = Screen();
        std::vector<uint8_t> patch;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx)
                for (int c = 0; c < 3; ++c)
                    patch.push_back(screen.rgb.empty() ? 0 : screen.rgb[((y + dy) * screen.width + x + dx) * 3 + c]);
        return patch;
    }
    // Moves the mouse to (x, y) and waits until the look of the user
    // interface at (watchX, watchY) changes: a hover highlight coming or
    // going shows that a frame has seen the mouse at its new place, so the
    // next press counts there (over the window) or in the level (off it).
    bool MoveAndSettle(int x, int y, int watchX, int watchY) { return Settle("mousemove " + At(x, y), watchX, watchY); }
    // Clicks at (x, y) and waits until the window shows something else at
    // (watchX, watchY), so the next step acts on what the click brought up.
    bool ClickAndSettle(int x, int y, int watchX, int watchY) {
        return Settle("mousemove " + At(x, y) + " click 1", watchX, watchY);
    }
    bool Settle(const std::string& keys, int watchX, int watchY) {
        const std::vector<uint8_t> before = Patch(watchX, watchY);
        Keys(keys);
        return WaitFor(20, [&] { return Patch(watchX, watchY) != before; });
    }
    // A menu title: the mouse rests on it first (it comes from the level or
    // from another tab), then the click shows the tab, seen at (watchX, watchY).
    // A click the game did not see (it lost the focus for a moment, or the
    // press fell into a frame before the hover) is tried again, until the tab
    // shows something else at (watchX, watchY) than before the first try.
    bool ClickMenu(int x, int watchX, int watchY) {
        const std::vector<uint8_t> before = Patch(watchX, watchY);
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (attempt > 0) {
                game.FocusWindow();
                Move(x, kMenuY + 400);
            }
            MoveAndSettle(x, kMenuY, x, kMenuY);
            Keys("mousemove " + At(x, kMenuY) + " click 1");
            if (WaitFor(8, [&] { return Patch(watchX, watchY) != before; })) return true;
        }
        return false;
    }
    static std::string At(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

    bool OpenEditor(const std::string& level = kLevel) {
        game.game.Write("levels/korvel_splash.json", level);
        game.Start();
        // A toggle sent before the window had focus is lost; one more sent
        // too early would close the editor again, so each gets its time.
        return WaitFor(40, [&] {
            game.FocusWindow();
            game.Keys(kEditorToggle);
            return WaitFor(8, [&] { return EditorShown(game.DisplayName()); });
        });
    }
    // Presses the left button at (x, y) in the level until the entity there
    // shows the primary selection's red handle (a press can fall into a
    // frame that still counted the mouse over the window).
    bool PressOnEntity(int x, int y) {
        Move(x, y);
        return WaitFor(40, [&] {
            Keys("mousedown 1");
            if (WaitFor(3, [&] { return Screen().RedNear(x, y, 12); })) return true;
            Keys("mouseup 1");
            game.FocusWindow();  // an unfocused full-screen game counts as minimised and draws nothing
            return false;
        });
    }
    bool RedAt(int x, int y) const { return Screen().RedNear(x, y, 12); }

    // Clicks into the inspector's field at y, past the end of its text,
    // types and presses Return, until the game prints the edit it took (a
    // float field selects its text on the click, a text field gets the
    // typing at its end). A click lost while the window had no focus is
    // tried again.
    bool EditField(int y, const std::string& text, const std::string& printed) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (attempt > 0) game.FocusWindow();
            // The mouse stays over the editor window from field to field,
            // so the user interface keeps the click.
            Keys("mousemove " + At(kFieldX, y) + " click 1");
            Keys("type -- '" + text + "'");
            Keys("key Return");
            if (WaitFor(10, [&] { return game.Stdout().find(printed + "\n") != std::string::npos; })) return true;
        }
        return false;
    }

    // Presses "save level and reload assets" until done holds; a click the
    // game did not see is tried again.
    bool SaveAndReload(const std::function<bool()>& done) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (attempt > 0) game.FocusWindow();
            Move(kSaveAndReloadX, kSaveAndReloadY + 300);
            MoveAndSettle(kSaveAndReloadX, kSaveAndReloadY, kSaveAndReloadX, kSaveAndReloadY);
            Keys("click 1");
            if (WaitFor(20, done)) return true;
        }
        return false;
    }

    GameProcess game;
};

TEST_F(EditorGame, SelectDragUndoDuplicateDeletePaintLightAndSave) {
    ASSERT_TRUE(OpenEditor()) << game.Stdout() << game.Stderr();
    const int ax = ScreenX(40), ay = ScreenY(0);
    const int tx = ScreenX(60), ty = ScreenY(-10);

    // Click-select alpha and drag it by (20, -10).
    ASSERT_TRUE(PressOnEntity(ax, ay));
    Move(tx, ty);
    ASSERT_TRUE(WaitFor(10, [&] { return RedAt(tx, ty) && !RedAt(ax, ay); })) << "the handle follows the mouse";
    Keys("mouseup 1");

    Keys("key z");
    ASSERT_TRUE(WaitFor(10, [&] { return RedAt(ax, ay) && !RedAt(tx, ty); })) << "undo puts it back";
    // The copy is not selected: its black handle covers the red one.
    Keys("key d");
    ASSERT_TRUE(WaitFor(10, [&] { return !RedAt(ax, ay); }));
    Keys("key Delete");  // the original goes; the copy stays where it was

    // Paint tile type 1 into the cells around (8, 8) and (-8, -8).
    const auto cellLight = [&](float x, float y) { return Screen().Brightness(ScreenX(x), ScreenY(y), 24); };
    EXPECT_EQ(cellLight(8, 8), 0) << "nothing there yet";
    ASSERT_TRUE(ClickMenu(kTilesMenuX, kTileTypeOneX, kTileTypeOneY));
    ASSERT_TRUE(ClickAndSettle(kTileTypeOneX, kTileTypeOneY, kTileTypeOneX, kTileTypeOneY));
    ASSERT_TRUE(MoveAndSettle(ScreenX(8), ScreenY(8), kTileTypeOneX, kTileTypeOneY));
    Keys("click 1");
    Keys("mousemove " + At(ScreenX(-8), ScreenY(-8)) + " click 1");
    ASSERT_TRUE(WaitFor(10, [&] { return cellLight(8, 8) > 0 && cellLight(-8, -8) > 0; })) << "the tiles show";
    const long fullLight = cellLight(8, 8);

    // Global ambient intensity 0.5: a click selects the field's text.
    ASSERT_TRUE(ClickMenu(kGraphicsMenuX, kAmbientIntensityX, kAmbientIntensityY));
    Keys("mousemove " + At(kAmbientIntensityX, kAmbientIntensityY) + " click 1 type 0.5");
    Keys("key Return");
    EXPECT_TRUE(WaitFor(10, [&] { return cellLight(8, 8) < fullLight * 3 / 4; })) << "the ambient light dims them";

    const std::string before = Level();
    ASSERT_TRUE(ClickMenu(kLevelMenuX, kSaveAndReloadX, kSaveAndReloadY));
    Keys("mousemove " + At(kSaveAndReloadX, kSaveAndReloadY) + " click 1");
    ASSERT_TRUE(WaitFor(20, [&] { return Level() != before; })) << "save level and reload assets writes the level";

    const Json::Value level = Parse(Level());
    const Json::Value& entities = level["entities"];
    ASSERT_EQ(entities.size(), 2u) << Level();
    EXPECT_EQ(entities[0]["name"].asString(), "beta");
    EXPECT_EQ(entities[1]["name"].asString(), "alpha") << "the copy outlives the deleted original";
    EXPECT_EQ(entities[1]["pos"]["x"].asFloat(), 40.0f) << "the drag was undone";
    EXPECT_EQ(entities[1]["pos"]["y"].asFloat(), 0.0f);
    // The cell at (-8, -8) lies outside the 2 by 2 grid, which grew to 4 by 4
    // around its centre to hold it.
    EXPECT_EQ(level["tile_map"]["tiles"].asString(), "0 0 0 0 0 1 0 0 0 0 1 0 0 0 0 0 ");
    EXPECT_FLOAT_EQ(level["graphics"]["global_ambient_intensity"].asFloat(), 0.5f);

    // The reloaded level is there to pick: beta's handle turns red.
    ASSERT_TRUE(PressOnEntity(ScreenX(-40), ScreenY(20)));
    Keys("mouseup 1");
    EXPECT_TRUE(game.Running()) << game.Stderr();
}

// Edits of a Lua component's fields call back into Lua from inside the
// inspector's widgets, many times over; the game goes on and saves them.
TEST_F(EditorGame, ALuaComponentsFieldsEditedManyTimesAreSaved) {
    Json::Value level = Parse(kLevel);
    Json::Value tuning(Json::objectValue);
    tuning["__component_name"] = "Tuning";
    tuning["speed"] = 1.5;
    tuning["title"] = "crate";
    level["entities"][0]["components"].append(tuning);
    game.game.Write("lua/components/tuning.lua", kTuningScript);
    ASSERT_TRUE(OpenEditor(level.toStyledString())) << game.Stdout() << game.Stderr();

    ASSERT_TRUE(PressOnEntity(ScreenX(40), ScreenY(0)));
    Keys("mouseup 1");
    // The section opens on a click that the user interface claims: the
    // mouse comes from the level and rests on the header first. A click the
    // game did not see is tried again, looking first whether a late one
    // opened it after all.
    const std::vector<uint8_t> closed = Patch(kFieldX, kFirstFieldY);
    const auto open = [&] { return Patch(kFieldX, kFirstFieldY) != closed; };
    ASSERT_TRUE(WaitFor(90, [&] {
        if (open()) return true;
        game.FocusWindow();
        Move(ScreenX(-100), ScreenY(-50));
        MoveAndSettle(kSectionX, kSectionY, kSectionX, kSectionY);
        Keys("click 1");
        return WaitFor(10, open);
    })) << "the Tuning section opens";

    // Fields are drawn in name order: speed, spin, tag, title. Each edit
    // types a new speed and adds to the title.
    const int speedY = kFirstFieldY, titleY = kFirstFieldY + 3 * kFieldRow;
    constexpr int kEdits = 6;
    std::string title = "crate";
    for (int edit = 1; edit <= kEdits; ++edit) {
        const std::string speed = std::to_string(10 + edit) + ".5";
        ASSERT_TRUE(EditField(speedY, speed, "edited speed = " + speed)) << edit << game.Stdout();
        const std::string added = "-" + std::to_string(edit);
        title += added;
        ASSERT_TRUE(EditField(titleY, added, "edited title = " + title)) << edit << game.Stdout();
    }
    ASSERT_TRUE(game.Running()) << game.Stderr();

    const std::string before = Level();
    // The inspector sits below the Level tab's buttons.
    Keys("mousemove " + At(kSaveAndReloadX, kSaveAndReloadY) + " click 1");
    ASSERT_TRUE(WaitFor(20, [&] { return Level() != before; })) << "save level and reload assets writes the level";
    const Json::Value saved = Parse(Level())["entities"][0]["components"][0];
    EXPECT_EQ(saved["__component_name"].asString(), "Tuning") << Level();
    EXPECT_EQ(saved["speed"].asDouble(), 10 + kEdits + 0.5);
    EXPECT_EQ(saved["title"].asString(), title);
    EXPECT_TRUE(game.Running()) << game.Stderr();
}

// A contributor's run of the game from the source tree: the editor opens and
// closes and the game ends, writing the sound storage file as it always does.
TEST_F(EditorGame, ARunThatMakesNoCueLeavesTheShippedSoundStorageFileAsItWas) {
    const auto inode = [&] {
        struct stat status {};
        return stat((game.game.path() / "audio" / "SoundStorage.json").c_str(), &status) == 0 ? status.st_ino : 0;
    };
    const ino_t shippedInode = inode();
    const std::string shipped = game.game.Read("audio/SoundStorage.json");  // a copy of data/'s
    game.game.Write("lua/autorun/quit.lua", kQuitOnQ);
    ASSERT_TRUE(OpenEditor()) << game.Stdout() << game.Stderr();
    ASSERT_TRUE(WaitFor(60, [&] {
        Keys("key q");
        return WaitFor(2, [&] { return !game.Running(); });
    })) << game.Stdout();
    ASSERT_EQ(game.WaitForExit(10), 0) << game.Stderr();
    ASSERT_NE(inode(), shippedInode) << "the game wrote the file on its way out";
    EXPECT_EQ(game.game.Read("audio/SoundStorage.json"), shipped);
}

// A designer's field survives a script that cannot make its component for a
// while: a typo, "save level and reload assets", the typo mended, again.
TEST_F(EditorGame, ALuaComponentsFieldsOutliveAMistakeInItsScript) {
    const std::string door = R"(
components.Register("Door", { fields = { slide = 3 },
    Initialize = function(self) require("ffi").C.lb_print("door slide " .. self.slide) end })
)";
    Json::Value level = Parse(kLevel);
    Json::Value gate(Json::objectValue);
    gate["__component_name"] = "Door";
    gate["slide"] = 30;
    level["entities"][0]["name"] = "gate";
    level["entities"][0]["components"].append(gate);
    game.game.Write("lua/components/door.lua", door);
    ASSERT_TRUE(OpenEditor(level.toStyledString())) << game.Stdout() << game.Stderr();
    const auto count = [&](const std::string& text) {
        const std::string out = game.Stdout();
        size_t found = 0;
        for (size_t at = out.find(text); at != std::string::npos; at = out.find(text, at + 1)) ++found;
        return found;
    };

    game.game.Write("lua/components/door.lua", "components.Register(\"Door\", { fields = { slide = 3 }");
    ASSERT_TRUE(SaveAndReload([&] { return count("unknown Lua component type \"Door\"") > 0; })) << game.Stdout();
    EXPECT_TRUE(std::regex_search(game.Stdout(),
                                  std::regex("\nLua Error: component \"Door\" of entity \"gate\" \\(id [0-9]+\\) in "
                                             "level \"korvel_splash\" cannot be made: unknown Lua component type "
                                             "\"Door\"; the fields it was loaded with are kept as they were\n")))
        << game.Stdout();

    const size_t made = count("door slide ");
    game.game.Write("lua/components/door.lua", door);
    ASSERT_TRUE(SaveAndReload([&] { return count("door slide ") > made; })) << game.Stdout();
    EXPECT_EQ(Parse(Level())["entities"][0]["components"][0]["slide"].asDouble(), 30.0) << Level();
    EXPECT_EQ(count("door slide 30"), count("door slide ")) << "the mended script gets the field back";
    EXPECT_TRUE(game.Running()) << game.Stderr();
}

}  // namespace
