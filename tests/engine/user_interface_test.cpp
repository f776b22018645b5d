#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <vector>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <imgui.h>
#include <imgui_internal.h>

#include "core/diagnostics/console.h"
#include "core/diagnostics/debug_print.h"
#include "core/events/events.h"
#include "graphics/graphics.h"
#include "tests/engine/engine_fixture.h"

namespace {

// The console window opens at (50, 25) with a size of 600 by 300.
constexpr int kInsideX = 300, kInsideY = 150;
// The first lines of text, below the title bar.
constexpr int kTextLeft = 55, kTextTop = 45, kTextRight = 400, kTextBottom = 95;
// Its button sits on the last line, at the bottom left.
constexpr int kButtonX = 80, kButtonY = 307;

class UserInterface : public EngineTest {
protected:
    // Whether the window pixel (x, y from the top) of the frame last shown
    // is not black: nothing else is drawn, so only the console lights it.
    // Mesa's software driver presents by copying, so the back buffer still
    // holds that frame until the next one clears it.
    static bool Lit(int x, int y) {
        int width, height;
        Graphics::GetFramebufferSize(width, height);
        unsigned char pixel[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        return pixel[0] + pixel[1] + pixel[2] > 0;
    }

    // Near-white pixels (the text colour) in a rectangle of the frame last
    // shown, (left, top) to (right, bottom) from the window's top left.
    static int BrightPixels(int left, int top, int right, int bottom) {
        int width, height;
        Graphics::GetFramebufferSize(width, height);
        const int w = right - left, h = bottom - top;
        std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(left, height - bottom, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int bright = 0;
        for (size_t i = 0; i < pixels.size(); i += 4)
            bright += pixels[i] > 200 && pixels[i + 1] > 200 && pixels[i + 2] > 200;
        return bright;
    }

    // The console's region of lines, once it has been drawn.
    static ImGuiWindow* ConsoleLines() {
        for (ImGuiWindow* window : ImGui::GetCurrentContext()->Windows)
            if (std::string(window->Name).rfind("Console/ScrollingRegion", 0) == 0) return window;
        return nullptr;
    }

    std::vector<std::string> ConsoleLogs() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.SaveFolder()))
            if (entry.path().filename().string().rfind("Console Log ", 0) == 0)
                names.push_back(entry.path().filename().string());
        return names;
    }
};

TEST_F(UserInterface, GraveAccentOpensAndClosesTheWindowWithItsLines) {
    for (int i = 0; i < 3; ++i) DebugPrint("the console shows this line");
    std::vector<bool> insideLit;
    int textPixels = 0;
    RunUntil([&](int frame) {
        if (frame > 1) insideLit.push_back(Lit(kInsideX, kInsideY));
        if (frame == 3) textPixels = BrightPixels(kTextLeft, kTextTop, kTextRight, kTextBottom);
        if (frame == 2) events::Call<int>("KeyPressed", 96);
        if (frame == 4) events::Call<int>("KeyPressed", 96);
        return frame == 6;
    });
    // Read at the start of frames 2 to 6: what frames 1 to 5 showed.
    EXPECT_EQ(insideLit, (std::vector<bool>{false, true, true, false, false}));
    EXPECT_GT(textPixels, 100) << "the lines show as light text";
}

TEST_F(UserInterface, TheButtonSavesTheLinesInOrderOncePerSecond) {
    for (int i = 0; i < 1500; ++i) DebugPrint("line " + std::to_string(i) + " %d");
    GLFWwindow* window = nullptr;
    std::time_t firstClick = 0, lastClick = 0;
    RunUntil([&](int frame) {
        window = Graphics::GetWindow();
        if (frame == 2) {
            events::Call<int>("KeyPressed", 96);
            glfwSetCursorPos(window, kButtonX, kButtonY);
        }
        // A press latched between frames is down for one frame, then up:
        // a click. Twice, well within one second.
        if (frame == 4 || frame == 6) events::Call<int>("MouseButtonPressed", 0);
        // The saves happen while frames 5 and 7 are drawn.
        if (frame == 5) firstClick = std::time(nullptr);
        if (frame == 8) lastClick = std::time(nullptr);
        return frame == 8;
    });
    const std::vector<std::string> logs = ConsoleLogs();
    // Rarely the two clicks straddle the turn of a second.
    if (firstClick == lastClick)
        ASSERT_EQ(logs.size(), 1u) << "two saves in one second write one file";
    else
        ASSERT_TRUE(logs.size() == 1u || logs.size() == 2u);
    std::string expected;
    for (const std::string& line : Console::GetLines()) expected += line + "\n";
    EXPECT_EQ(folder.ReadSaved(logs[0]), expected);
    EXPECT_EQ(Console::GetLines().size(), 1000u);
    EXPECT_NE(expected.find("line 1498 %d\nline 1499 %d\n"), std::string::npos);
}

TEST_F(UserInterface, TheConsoleFollowsTheNewestLineOnlyWhileTheGameRuns) {
    for (int i = 0; i < 200; ++i) DebugPrint("line " + std::to_string(i));
    // The player scrolls to the top; the next frames show where it stays.
    std::vector<float> kept;  // running, then paused
    RunUntil([&](int frame) {
        if (frame == 2) events::Call<int>("KeyPressed", 96);
        if (frame == 6) Engine::Pause();
        ImGuiWindow* lines = ConsoleLines();
        if (frame == 4 || frame == 7) ImGui::SetScrollY(lines, 0.0f);
        if (frame == 6 || frame == 9) kept.push_back(lines->Scroll.y / lines->ScrollMax.y);
        return frame == 9;
    });
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_GT(kept[0], 0.9f) << "running: back at the newest line";
    EXPECT_EQ(kept[1], 0.0f) << "paused: where the player left it";
}

TEST_F(UserInterface, TheInterfaceSeesTheMouseOnlyWhileTheWindowHasFocus) {
    // What the interface saw of the mouse each frame, beside whether the
    // window had focus then; the window gets focus after the first frame and
    // loses it to another window later.
    std::vector<std::pair<bool, ImVec2>> seen;
    bool focused = false;
    GLFWwindow* other = nullptr;
    int lostAt = 0;
    const double deadline = glfwGetTime() + 60;
    RunUntil([&](int frame) {
        GLFWwindow* window = Graphics::GetWindow();
        if (frame > 1) seen.push_back({focused, ImGui::GetIO().MousePos});
        glfwSetCursorPos(window, kInsideX, kInsideY);
        if (!other && glfwGetWindowAttrib(window, GLFW_FOCUSED) && frame > 2) {
            other = glfwCreateWindow(32, 32, "other", nullptr, nullptr);
            glfwFocusWindow(other);
        }
        // Asked of the X server, as the interface's frame will ask it.
        focused = glfwGetWindowAttrib(window, GLFW_FOCUSED);
        if (other && !focused && !lostAt) lostAt = frame;
        return (lostAt && frame > lostAt + 2) || glfwGetTime() > deadline;
    });
    glfwDestroyWindow(other);
    int withFocus = 0;
    for (const auto& [hadFocus, mouse] : seen) {
        withFocus += hadFocus;
        EXPECT_EQ(mouse.x, hadFocus ? kInsideX : -1.0f);
        EXPECT_EQ(mouse.y, hadFocus ? kInsideY : -1.0f);
    }
    EXPECT_GT(withFocus, 0);
    EXPECT_LT(withFocus, int(seen.size()));
}

TEST_F(UserInterface, TheCursorIsHiddenInGameAndShownInTheEditor) {
    std::vector<int> cursor;
    RunUntil([&](int frame) {
        cursor.push_back(glfwGetInputMode(Graphics::GetWindow(), GLFW_CURSOR));
        if (frame == 2) g_engine->requestedMode = Engine::kEditorMode;  // as the editor key does
        return frame == 4;
    });
    // Frame 1 is read before any user-interface frame set it.
    EXPECT_EQ(std::vector<int>(cursor.begin() + 1, cursor.end()),
              (std::vector<int>{GLFW_CURSOR_HIDDEN, GLFW_CURSOR_HIDDEN, GLFW_CURSOR_NORMAL}));
}

}  // namespace
