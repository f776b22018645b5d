// The picture's size in world units, as the running game reports it.
#include "tests/e2e/lua_game.h"

namespace {

// The test's screen is 1920 by 1080: the whole screen is the letterbox, at 4
// screen pixels per world unit.
TEST_F(LuaGame, WidthAndHeightAreThePictureInWorldUnitsAtTheTestDisplay) {
    Script("autorun/size.lua", R"(
local frames = 0
local function Show(label) C.lb_print(label .. " " .. C.lb_graphics_get_width() .. " " .. C.lb_graphics_get_height()) end
events.Connect("LogicUpdate", "size", function()
    frames = frames + 1
    if frames < 3 then return end
    Show("zoom 1")
    C.lb_camera_set_scale(2)
    Show("zoom 2")
    C.lb_camera_set_scale(0)
    Show("zoom 0")
    C.lb_engine_quit_game()
end)
)");
    EXPECT_TRUE(LinesInOrder(RunToEnd(), {"zoom 1 480 270", "zoom 2 240 135", "zoom 0 0 0"}));
}

}  // namespace
