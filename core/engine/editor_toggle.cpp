#include <GLFW/glfw3.h>

#include "core/engine/engine.h"
#include "core/input/input.h"
#include "core/level/level_files.h"
#include "core/pause/pause_menu.h"
#include "sound/sound_space.h"

namespace {

constexpr int kF8 = 297;
constexpr int kLeftShift = 340;
constexpr int kLeftControl = 341;

}  // namespace

// The editor window itself is not part of the game yet; the toggle still
// switches modes, pauses and saves as it will with it.
void Engine::CreateEditor() {}
void Engine::DestroyEditor() {}

void OnEngineToggleEditor(int key) {
    if (key != kF8 || !IsKeyDown(kLeftControl) || !IsKeyDown(kLeftShift)) return;
    if (Engine::GetMode() == Engine::kGameMode) {
        Engine::CreateEditor();
        SoundSpace::ClearCueLocationFile();
        g_engine->requestedMode = Engine::kEditorMode;
        Engine::Pause();
    } else if (Engine::GetMode() == Engine::kEditorMode) {
        Engine::DestroyEditor();
        SaveLevel(Engine::GetCurrentLevelName(), false);
        g_engine->requestedMode = Engine::kGameMode;
        Engine::Unpause();
        lb_pause_menu_unpause();
    }
}

void OnWindowIconify(GLFWwindow*, int iconified) {
    if (iconified) {
        g_engine->minimized = true;
        PauseMenu::Pause();
    } else {
        g_engine->minimized = false;
    }
}
