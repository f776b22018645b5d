#include "core/pause/pause_menu.h"

#include <GLFW/glfw3.h>

#include "core/diagnostics/debug_print.h"
#include "core/engine/engine.h"
#include "core/events/events.h"
#include "core/input/input.h"
#include "core/input/pad.h"
#include "graphics/graphics.h"

namespace {

constexpr const char* kListener = "PauseMenuCheckPause";
constexpr int kEscape = 256;

PauseMenu* pauseMenu = nullptr;

}  // namespace

PauseMenu::PauseMenu() {
    events::Connect<int>("KeyPressed", kListener, [this](int key) { OnKeyPressed(key); });
    events::Connect<float>("LogicUpdate", kListener, [this](float dt) { OnLogicUpdate(dt); });
    glfwSetWindowCloseCallback(Graphics::GetWindow(), OnWindowClose);
    pauseMenu = this;
}

PauseMenu::~PauseMenu() {
    events::Disconnect("KeyPressed", kListener);
    events::Disconnect("LogicUpdate", kListener);
    if (pauseMenu == this) pauseMenu = nullptr;
}

void PauseMenu::Pause() {
    if (!pauseMenu || pauseMenu->paused) return;
    pauseMenu->paused = true;
    if (Engine::GetMode() == Engine::kGameMode) Engine::Pause();
    events::Call<>("PauseMenuPaused");
}

void PauseMenu::Unpause() {
    if (!pauseMenu || !pauseMenu->paused) return;
    pauseMenu->paused = false;
    if (Engine::GetMode() == Engine::kGameMode) Engine::Unpause();
    events::Call<>("PauseMenuUnPaused");
}

// Called from Lua: an error must not unwind through the script's frames, so
// it ends here as one line.
void lb_pause_menu_unpause() {
    try {
        PauseMenu::Unpause();
    } catch (const std::exception& error) {
        DebugPrint(error.what());
    }
}

void PauseMenu::OnKeyPressed(int key) {
    if (key != kEscape) return;
    if (paused)
        Unpause();
    else
        Pause();
}

void PauseMenu::OnLogicUpdate(float) { OnStartButton(IsKeyDown(pad::kStart)); }

void PauseMenu::OnStartButton(bool down) {
    if (!pauseMenu) return;
    const bool pressed = down && !pauseMenu->startWasDown;
    pauseMenu->startWasDown = down;
    if (!pressed) return;
    if (pauseMenu->paused)
        Unpause();
    else
        Pause();
}

void PauseMenu::OnWindowClose(GLFWwindow* window) {
    Pause();
    glfwRestoreWindow(window);
    glfwSetWindowShouldClose(window, GLFW_FALSE);
    events::Call<>("PauseMenuConfirmClose");
}
