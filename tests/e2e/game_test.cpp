#include <filesystem>
#include <functional>
#include <stdexcept>
#include <sstream>

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "tests/e2e/game_process.h"
#include "tests/e2e/screen.h"

namespace {

const std::string kEditorToggle = "keydown Control_L keydown Shift_L key F8 keyup Shift_L keyup Control_L";

// The level as a designer writes it: compact, keys in any order.
const char* kSplash = R"({"tile_map": {"width": 2, "height": 2, "tile_width": 16, "tile_height": 16,
    "tiles": "0 1 2 0 ", "tile_textures": ["debug", "debug"]},
  "entities": [{"name": "crest", "pos": {"x": 12.5, "y": -3, "z": 0.25}, "components": null}],
  "graphics": {"moonlight_color": {"x": 1, "y": 0.5, "z": 0.25}, "moonlight_fade_dist": 80,
    "moonlight_fade_exponent": 4, "global_ambient": {"x": 0.2, "y": 0.2, "z": 0.3},
    "global_ambient_intensity": 0.7, "attenuation_zero": 0.001}})";

Json::Value Parse(const std::string& text) {
    std::istringstream in(text);
    Json::Value value;
    in >> value;
    return value;
}

// Equal documents, numbers compared as the floats the engine holds.
bool Equivalent(const Json::Value& a, const Json::Value& b) {
    if (a.isNumeric() && b.isNumeric()) return a.asFloat() == b.asFloat();
    if (a.type() != b.type()) return false;
    if (a.isObject()) {
        if (a.getMemberNames() != b.getMemberNames()) return false;
        for (const std::string& key : a.getMemberNames())
            if (!Equivalent(a[key], b[key])) return false;
        return true;
    }
    if (a.isArray()) {
        if (a.size() != b.size()) return false;
        for (Json::ArrayIndex i = 0; i < a.size(); ++i)
            if (!Equivalent(a[i], b[i])) return false;
        return true;
    }
    return a == b;
}

class Game : public ::testing::Test {
protected:
    std::string Level() const { return game.game.Read("levels/korvel_splash.json"); }
    std::pair<ino_t, int64_t> LevelStamp() const { return FileStamp(game.game.path() / "levels/korvel_splash.json"); }
    // A toggle acts at the next frame. On a loaded machine two toggles can
    // fall into one frame and cancel out, so toggle until the way back out of
    // the editor has written the level.
    bool ToggleUntilSaved(std::pair<ino_t, int64_t> before) {
        return WaitFor(30, [&] {
            game.Keys(kEditorToggle);
            return WaitFor(1.5, [&] { return LevelStamp() != before; });
        });
    }

    GameProcess game;
};

TEST_F(Game, RunsFramesAndTheEditorToggleSavesTheLevelOnTheWayBack) {
    game.game.Write("levels/korvel_splash.json", kSplash);
    const auto written = LevelStamp();
    game.Start();
    game.FocusWindow();
    game.Keys(kEditorToggle);  // into the editor at the next frame
    ASSERT_TRUE(WaitFor(60, [this] { return EditorShown(game.DisplayName()); })) << game.Stdout() << game.Stderr();
    EXPECT_EQ(LevelStamp(), written) << "entering the editor writes nothing";
    ASSERT_TRUE(ToggleUntilSaved(written)) << "leaving the editor writes the level";
    EXPECT_TRUE(Equivalent(Parse(Level()), Parse(kSplash))) << Level();
    EXPECT_TRUE(game.Running());
    EXPECT_FALSE(std::filesystem::exists(game.home.path() / "Documents" / "Quillmere" / "save_file.json"));
}

// The fatal-error report: the title, the error's text, the request and the
// contact line, in this order, and a failure status.
void ExpectFatalReport(GameProcess& game, const std::string& readerMessage) {
    EXPECT_EQ(game.WaitForExit(30), 1);
    const std::string report = game.Stderr();
    const std::string expected = "Unrecoverable Exception\n" + readerMessage +
                                 "\n\nPlease report the circumstances of this error, and the above message, to a "
                                 "member of Team Brellic.\n";
    EXPECT_EQ(report.find(expected), 0u) << report;
    EXPECT_NE(report.find("Contact: bugs@brellic.example\n", expected.size()), std::string::npos) << report;
}

TEST_F(Game, AFirstLevelThatCannotBeLoadedEndsInTheFatalReportNamingIt) {
    const std::string cannot = "Level \"levels/korvel_splash.json\" cannot be loaded:\n";
    const struct {
        const char* what;
        std::function<void(testing_support::TempDir&)> make;
        std::string message;
    } cases[] = {
        {"missing", [](auto&) {}, cannot + "It does not exist."},
        {"broken", [](auto& dir) { dir.Write("levels/korvel_splash.json", "{\"entities\": [}"); },
         cannot + "* Line 1, Column 15\n  Syntax error: value, object or array expected.\n"},
        {"trailing text", [](auto& dir) { dir.Write("levels/korvel_splash.json", std::string(kSplash) + " {}"); },
         cannot + "* Line 6, Column 66\n  Extra non-whitespace after JSON value.\n"},
        // Would wait for a writer for ever if it were opened for reading.
        {"a FIFO",
         [](auto& dir) {
             std::filesystem::create_directories(dir.path() / "levels");
             ASSERT_EQ(mkfifo((dir.path() / "levels/korvel_splash.json").c_str(), 0644), 0);
         },
         cannot + "It is not a plain file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GameProcess run;
        c.make(run.game);
        run.Start();
        ExpectFatalReport(run, c.message);
    }
}

// A display number no server holds: neither its socket nor its lock file.
std::string MissingDisplay() {
    for (int number = 4000;; ++number) {
        const std::string n = std::to_string(number);
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + n) && !std::filesystem::exists("/tmp/.X" + n + "-lock"))
            return ":" + n;
    }
}

TEST_F(Game, WithoutADisplayTheGameEndsGivingTheWindowLibrarysReason) {
    const std::string missing = MissingDisplay();
    const std::string reason = "X11: Failed to open display " + missing;
    game.Start(missing);
    try {
        game.FocusWindow();
        FAIL() << "a window was found";
    } catch (const std::runtime_error& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("the game ended before its window was found, with status 1:\n", 0), 0u) << message;
        EXPECT_NE(message.find("standard output:\nError 65544: " + reason + "\n"), std::string::npos) << message;
        EXPECT_NE(message.find("standard error:\nGraphics: glfwInit failed: " + reason + "\n"), std::string::npos)
            << message;
    }
}

TEST_F(Game, ADamagedSavedCopyIsSetAsideAndTheShippedLevelLoads) {
    for (const char* damage : {"", "{\"entities\": [{\"name\": \"cut"}) {
        SCOPED_TRACE(damage);
        GameProcess run;
        run.game.Write("levels/korvel_splash.json", kSplash);
        run.home.Write("Documents/Quillmere/korvel_splash.json", damage);
        run.Start();
        ASSERT_TRUE(WaitFor(30, [&] { return run.Stdout().find("is damaged") != std::string::npos; })) << run.Stderr();
        EXPECT_TRUE(run.Running()) << run.Stderr();
        EXPECT_EQ(run.home.Read("Documents/Quillmere/korvel_splash.json.damaged"), damage);
        EXPECT_NE(run.Stdout().find("\"" + (run.home.path() / "Documents/Quillmere/korvel_splash.json").string() + "\""),
                  std::string::npos)
            << run.Stdout();
    }
}

}  // namespace
