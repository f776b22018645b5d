// Exports: the picture's size in world units, textures, and errors inside
// an export.
#include <cstdint>

#include "core/events/events.h"
#include "core/pause/pause_menu.h"
#include "graphics/camera.h"
#include "graphics/graphics.h"
#include "scripting/export_list.h"
#include "tests/scripting/lua_fixture.h"

namespace {

// The test's screen is 1920 by 1080, shown at 4 screen pixels per world unit:
// a letterbox of 1920 by 1080 is 480 by 270 world units at zoom 1. Parts of
// a unit are dropped.
TEST_F(LuaTest, WidthAndHeightAreTheLetterboxInWorldUnits) {
    ASSERT_TRUE(Graphics::BeginFrame());
    Camera::BeginLetterbox();
    Camera::EndLetterbox();
    Graphics::EndFrame();
    struct Case {
        float zoom;
        int width, height;
    } cases[] = {{1.0f, 480, 270}, {2.0f, 240, 135}, {0.5f, 960, 540}, {0.3f, 1599, 899}, {0.0f, 0, 0}, {1e-30f, INT32_MAX, INT32_MAX}};
    for (const Case& each : cases) {
        Camera::SetScale(each.zoom);
        EXPECT_EQ(lb_graphics_get_width(), each.width) << each.zoom;
        EXPECT_EQ(lb_graphics_get_height(), each.height) << each.zoom;
    }
}

TEST_F(LuaTest, LoadedTexturesComeWithTheirSize) {
    // The test's folder has no pictures: "debug" is the built-in checker.
    const lb_texture debug = lb_graphics_load_texture("debug");
    EXPECT_NE(debug.id, 0u);
    EXPECT_GT(debug.width, 0);
    EXPECT_GT(debug.height, 0);
    // A missing picture gives the fallback with its size, and so does a nil name.
    for (const char* name : {"no such picture", static_cast<const char*>(nullptr)}) {
        const lb_texture fallback = lb_graphics_load_texture(name);
        EXPECT_EQ(fallback.id, debug.id);
        EXPECT_EQ(fallback.width, debug.width);
        EXPECT_EQ(fallback.height, debug.height);
    }
}

// An error inside an export ends there as one line: it never unwinds into
// the script that called it.
TEST_F(LuaTest, AnErrorInsideAnExportIsLoggedAndTheScriptGoesOn) {
    events::Connect<>("PauseMenuUnPaused", "failing", [] { throw debug::exception("the menu broke"); });
    PauseMenu::Pause();
    EXPECT_NO_THROW(lb_pause_menu_unpause());
    PauseMenu::Pause();
    Lua("require('ffi').C.lb_pause_menu_unpause() after = 'went on'");
    EXPECT_EQ(Eval("after"), "went on");
    EXPECT_EQ(Logged(), (std::vector<std::string>{"the menu broke", "the menu broke"}));
}

}  // namespace
