#include <cstdlib>

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "core/events/events.h"
#include "core/input/input.h"
#include "core/pause/pause_menu.h"
#include "graphics/graphics.h"
#include "tests/engine/engine_fixture.h"

namespace {

constexpr int kEscape = 256;

// The pause menu and input of a real engine, with the scripts' side of the
// menu's events recorded.
class PauseMenuTest : public EngineTest {
protected:
    PauseMenuTest() {
        for (const char* name : {"PauseMenuPaused", "PauseMenuUnPaused", "PauseMenuConfirmClose"})
            events::Connect<>(name, "record", [this, name] { raised.push_back(name); });
    }

    std::vector<std::string> raised;
};

TEST_F(PauseMenuTest, EscapeTogglesTheMenuAndTheEnginesPauseInGameMode) {
    g_engine->mode = Engine::kGameMode;
    events::Call<int>("KeyPressed", kEscape);
    EXPECT_TRUE(Engine::IsPaused());
    EXPECT_EQ(g_engine->timeScale, 0.0f);
    PauseMenu::Pause();  // already open: nothing
    events::Call<int>("KeyPressed", kEscape);
    EXPECT_FALSE(Engine::IsPaused());
    EXPECT_EQ(g_engine->timeScale, 1.0f);
    lb_pause_menu_unpause();  // already closed: nothing
    events::Call<int>("KeyPressed", 'P');
    EXPECT_EQ(raised, (std::vector<std::string>{"PauseMenuPaused", "PauseMenuUnPaused"}));
}

TEST_F(PauseMenuTest, InTheEditorEscapeTogglesOnlyTheMenu) {
    g_engine->mode = Engine::kEditorMode;
    events::Call<int>("KeyPressed", kEscape);
    EXPECT_FALSE(Engine::IsPaused());
    events::Call<int>("KeyPressed", kEscape);
    EXPECT_FALSE(Engine::IsPaused());
    EXPECT_EQ(raised, (std::vector<std::string>{"PauseMenuPaused", "PauseMenuUnPaused"}));
}

TEST_F(PauseMenuTest, ACloseRequestPausesAndAsksInsteadOfClosing) {
    g_engine->mode = Engine::kGameMode;
    GLFWwindow* window = Graphics::GetWindow();
    // The window's own close handler, as the window library calls it.
    GLFWwindowclosefun onClose = glfwSetWindowCloseCallback(window, nullptr);
    ASSERT_NE(onClose, nullptr);
    glfwSetWindowShouldClose(window, GLFW_TRUE);
    onClose(window);
    EXPECT_FALSE(glfwWindowShouldClose(window));
    EXPECT_TRUE(Engine::IsPaused());
    onClose(window);  // asked again while open
    EXPECT_EQ(raised, (std::vector<std::string>{"PauseMenuPaused", "PauseMenuConfirmClose", "PauseMenuConfirmClose"}));
}

TEST_F(PauseMenuTest, MinimisingOpensTheMenuAndRestoringClearsOnlyTheFlag) {
    g_engine->mode = Engine::kGameMode;
    GLFWwindowiconifyfun onIconify = glfwSetWindowIconifyCallback(Graphics::GetWindow(), nullptr);
    ASSERT_NE(onIconify, nullptr);
    onIconify(Graphics::GetWindow(), GLFW_TRUE);
    EXPECT_TRUE(Engine::IsMinimized());
    EXPECT_TRUE(Engine::IsPaused());
    onIconify(Graphics::GetWindow(), GLFW_FALSE);
    EXPECT_FALSE(Engine::IsMinimized());
    EXPECT_TRUE(Engine::IsPaused());
    EXPECT_EQ(raised, (std::vector<std::string>{"PauseMenuPaused"}));
}

TEST_F(PauseMenuTest, OnlyLosingFocusTheWindowHeldOpensTheMenuAndOnce) {
    // The first frame polls before the harness gives the window focus: that
    // is no loss. Once it has focus, another window takes it.
    GLFWwindow* other = nullptr;
    int pausedAt = 0, frames = 0;
    const double deadline = glfwGetTime() + 60;
    RunUntil([&](int frame) {
        frames = frame;
        if (!other && Engine::HasFocus()) {
            EXPECT_TRUE(raised.empty()) << "opened at start-up";
            other = glfwCreateWindow(32, 32, "other", nullptr, nullptr);
            glfwFocusWindow(other);
        }
        if (!pausedAt && !raised.empty()) pausedAt = frame;
        return (pausedAt && frame > pausedAt + 5) || glfwGetTime() > deadline;
    });
    glfwDestroyWindow(other);
    EXPECT_EQ(raised, (std::vector<std::string>{"PauseMenuPaused"})) << frames;
    EXPECT_FALSE(Engine::HasFocus());
    EXPECT_EQ(glfwGetWindowAttrib(Graphics::GetWindow(), GLFW_AUTO_ICONIFY), GLFW_FALSE)
        << "the frame loop alone minimises a full-screen window in the background";
}

TEST_F(PauseMenuTest, AfterStartUpTheFirstEscapeOpensTheMenu) {
    // A real key press through the X server, once the window has focus.
    bool sent = false;
    int frames = 0;
    const double deadline = glfwGetTime() + 60;
    RunUntil([&](int frame) {
        frames = frame;
        if (!sent && Engine::HasFocus()) sent = std::system("xdotool key Escape") == 0;
        return !raised.empty() || glfwGetTime() > deadline;
    });
    EXPECT_TRUE(sent);
    EXPECT_EQ(raised, (std::vector<std::string>{"PauseMenuPaused"})) << frames;
    EXPECT_TRUE(Engine::IsPaused());
}

// Real keys through the X server, each batch followed by "a": once the game
// has seen that "a", it has acted on every key before it.
TEST_F(PauseMenuTest, TheEditorKeyPausesOnTheWayInAndClosesTheMenuOnTheWayOut) {
    const char* toggleRight = "keydown 105 keydown Shift_L key F8 keyup Shift_L keyup 105";  // 105: Control_R
    const char* toggleLeft = "keydown Control_L keydown Shift_L key F8 keyup Shift_L keyup Control_L";
    const struct {
        std::string keys;
        int requestedMode;
        bool paused;
        std::vector<std::string> raised;
    } steps[] = {
        {toggleRight, Engine::kGameMode, false, {}},
        {toggleLeft, Engine::kEditorMode, true, {}},
        {"key Escape", Engine::kEditorMode, true, {"PauseMenuPaused"}},  // the menu's flag alone
        {toggleLeft, Engine::kGameMode, false, {"PauseMenuPaused", "PauseMenuUnPaused"}},
    };
    int sentinels = 0;
    events::Connect<int>("KeyPressed", "sentinel", [&](int key) { sentinels += key == GLFW_KEY_A; });
    size_t step = 0;
    bool sent = false;
    const double deadline = glfwGetTime() + 60;
    RunUntil([&](int) {
        // Each step starts once the mode asked for by the last one is in force.
        if (!sent && Engine::HasFocus() && Engine::GetMode() == Engine::GetRequestedMode()) {
            sent = std::system(("xdotool " + steps[step].keys + " key a").c_str()) == 0;
            EXPECT_TRUE(sent);
        }
        if (sent && sentinels == int(step) + 1) {
            EXPECT_EQ(Engine::GetRequestedMode(), steps[step].requestedMode) << step;
            EXPECT_EQ(Engine::IsPaused(), steps[step].paused) << step;
            EXPECT_EQ(raised, steps[step].raised) << step;
            ++step;
            sent = false;
        }
        return step == std::size(steps) || glfwGetTime() > deadline;
    });
    EXPECT_EQ(step, std::size(steps));
}

TEST_F(PauseMenuTest, KeyCallbacksRaiseOneEventPerAction) {
    std::vector<std::string> seen;
    for (const char* name : {"KeyPressed", "KeyDown", "KeyReleased", "MouseButtonPressed", "MouseButtonReleased"})
        events::Connect<int>(name, "seen", [&seen, name](int code) { seen.push_back(name + std::to_string(code)); });
    GLFWwindow* window = Graphics::GetWindow();
    OnKey(window, 65, 38, GLFW_PRESS, 0);
    OnKey(window, 65, 38, GLFW_REPEAT, 0);
    OnKey(window, 65, 38, GLFW_REPEAT, 0);
    OnKey(window, 65, 38, GLFW_RELEASE, 0);
    OnMouseButton(window, 1, GLFW_PRESS, 0);
    OnMouseButton(window, 1, GLFW_RELEASE, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"KeyPressed65", "KeyDown65", "KeyDown65", "KeyReleased65",
                                              "MouseButtonPressed1", "MouseButtonReleased1"}));
}

TEST_F(PauseMenuTest, JoysticksAreListedInConnectionOrder) {
    EXPECT_FALSE(AnyControllerConnected());
    OnJoystick(3, GLFW_CONNECTED);
    OnJoystick(1, GLFW_CONNECTED);
    EXPECT_EQ(GetConnectedJoysticks(), (std::vector<int>{3, 1}));
    OnJoystick(3, GLFW_DISCONNECTED);
    EXPECT_EQ(GetConnectedJoysticks(), (std::vector<int>{1}));
    OnJoystick(1, GLFW_CONNECTED);  // plugged in again: once, at the end
    OnJoystick(15, GLFW_CONNECTED);
    OnJoystick(16, GLFW_CONNECTED);  // no such joystick number
    EXPECT_EQ(GetConnectedJoysticks(), (std::vector<int>{1, 15}));
    EXPECT_TRUE(AnyControllerConnected());
    // Those pads are not really there: nothing is pressed, no stick moves.
    EXPECT_FALSE(IsKeyDown(349));
    EXPECT_EQ(GetStick(0), glm::vec2(0.0f));
}

TEST_F(PauseMenuTest, DeletingTheEngineTakesTheMenuAndItsListenersDown) {
    delete g_engine;
    g_engine = nullptr;
    for (const char* event : {"KeyPressed", "LogicUpdate"})
        ASSERT_FALSE(events::Disconnect(event, "PauseMenuCheckPause")) << event;
    PauseMenu::Pause();  // no menu: nothing
    EXPECT_TRUE(raised.empty());
}

TEST_F(PauseMenuTest, StartTogglesTheMenuOncePerPress) {
    g_engine->mode = Engine::kGameMode;
    const struct {
        std::vector<bool> frames;  // Start held or not, frame by frame
        std::vector<std::string> raised;
    } cases[] = {
        {{true, true, true}, {"PauseMenuPaused"}},
        {{false, true, false, true}, {"PauseMenuUnPaused", "PauseMenuPaused"}},
        {{true, false, true}, {"PauseMenuUnPaused"}},  // still held from before, then pressed
    };
    for (const auto& c : cases) {
        raised.clear();
        for (bool down : c.frames) PauseMenu::OnStartButton(down);
        EXPECT_EQ(raised, c.raised);
    }
    EXPECT_FALSE(Engine::IsPaused());
}

}  // namespace
