// Keys and mouse buttons from the X server reach Lua's events.Call; the
// mouse position comes back in world units.
#include "tests/e2e/lua_game.h"

namespace {

const char* kInputProbe = R"(
for _, name in ipairs({ "KeyPressed", "KeyReleased", "MouseButtonPressed", "MouseButtonReleased" }) do
    events.Connect(name, "probe", function(code) C.lb_print(name .. " " .. code .. " " .. type(code)) end)
end
events.Connect("MouseButtonPressed", "where", function()
    local mouse = C.lb_intput_get_mouse_pos()
    C.lb_print(string.format("mouse at %.2f %.2f", mouse.x, mouse.y))
end)
events.Connect("KeyPressed", "quit", function(key) if key == 81 then C.lb_engine_quit_game() end end)
events.Connect("LogicUpdate", "ready", function()
    C.lb_print("ready")
    events.Disconnect("LogicUpdate", "ready")
end)
C.lb_camera_set_pos(100, 50)
)";

TEST_F(LuaGame, KeysAndMouseButtonsReachLuaButEscapeDoesNot) {
    Script("autorun/input.lua", kInputProbe);
    game.Start();
    const auto seen = [this](const std::string& line) {
        return WaitFor(20, [&] { return HasLine(game.Stdout(), line); });
    };
    // The window can take focus once frames run.
    ASSERT_TRUE(seen("ready")) << game.Stdout();
    game.FocusWindow();
    game.Keys("key a");
    ASSERT_TRUE(seen("KeyReleased 65 number")) << game.Stdout();
    game.Keys("key Escape key b");
    ASSERT_TRUE(seen("KeyReleased 66 number")) << game.Stdout();
    // The window fills the 1920 by 1080 screen at 4 screen pixels per world
    // unit, centred on the camera; screen rows grow downwards.
    game.Keys("mousemove 1000 500 click 1");
    ASSERT_TRUE(seen("MouseButtonReleased 0 number")) << game.Stdout();
    game.Keys("mousemove 960 540 click 3");  // the right button
    ASSERT_TRUE(seen("MouseButtonReleased 1 number")) << game.Stdout();
    game.Keys("key q");
    EXPECT_EQ(game.WaitForExit(30), 0);
    const std::string output = game.Stdout();
    EXPECT_TRUE(LinesInOrder(output, {"KeyPressed 65 number", "KeyReleased 65 number", "KeyPressed 66 number",
                                      "MouseButtonPressed 0 number", "mouse at 110.00 60.00",
                                      "MouseButtonPressed 1 number", "mouse at 100.00 50.00"}));
    EXPECT_EQ(output.find(" 256 "), std::string::npos) << output;
}

}  // namespace
