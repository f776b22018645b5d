// The start-up scripts: their order, a failing script, and a missing or
// failing "lua/engine/init.lua".
#include <filesystem>

#include "tests/e2e/lua_game.h"

namespace {

TEST_F(LuaGame, StartUpScriptsRunInNameOrderAndAFailingOneDoesNotStopTheRest) {
    Script("autorun/b_broken.lua", "C.lb_print('b' ..)\n");
    Script("autorun/a_first.lua", "C.lb_print('a')\n");
    // Start-up scripts run inside the engine's construction, yet may ask
    // about the engine's state.
    Script("autorun/c_state.lua", R"(
C.lb_print("paused " .. tostring(C.lb_engine_is_paused()) .. " editor " .. tostring(C.lb_engine_in_editor()))
C.lb_print("save file " .. tostring(C.lb_engine_has_save_file()))
events.Connect("LevelLoad", "quit", function() C.lb_engine_quit_game() end)
)");
    Script("autorun/d_table_error.lua", "error({})\n");
    Script("autorun/notes.txt", "C.lb_print('a text file')\n");
    Script("autorun/folder.lua/inner.lua", "C.lb_print('inside a folder')\n");
    Script("components/a_component.lua", "C.lb_print('component')\n");
    const std::string output = RunToEnd();
    EXPECT_TRUE(LinesInOrder(output, {
        "a",
        "lua/autorun/b_broken.lua:2: unexpected symbol near ')'",
        "paused false editor false",
        "save file false",
        "(error object is a table value)",
        "component",
    }));
    EXPECT_EQ(output.find("a text file"), std::string::npos);
    EXPECT_EQ(output.find("inside a folder"), std::string::npos);
}

// The fatal report starts with the title and the error's text.
void ExpectFatal(GameProcess& game, const std::string& text) {
    EXPECT_EQ(game.WaitForExit(30), 1);
    EXPECT_EQ(game.Stderr().find("Unrecoverable Exception\n" + text + "\n\nPlease report"), 0u) << game.Stderr();
}

TEST_F(LuaGame, AMissingOrFailingInitScriptEndsTheGameWithItsText) {
    {
        std::filesystem::remove(game.game.path() / "lua" / "engine" / "init.lua");
        game.Start();
        const std::string text = "cannot open lua/engine/init.lua: No such file or directory";
        ExpectFatal(game, "Error loading lua init file!\n" + text);
        EXPECT_TRUE(HasLine(game.Stdout(), text)) << game.Stdout();
    }
    {
        game.game.Write("lua/engine/init.lua", "error('the dispatcher is missing')\n");
        game.Start();
        const std::string text = "lua/engine/init.lua:1: the dispatcher is missing";
        ExpectFatal(game, "Error running lua init file!" + text);
        EXPECT_TRUE(HasLine(game.Stdout(), text)) << game.Stdout();
    }
}

}  // namespace
