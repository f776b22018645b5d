#include <GLFW/glfw3.h>

#include "core/diagnostics/debug_print.h"
#include "core/engine/engine.h"
#include "core/input/input.h"
#include "core/level/level_files.h"
#include "core/pause/pause_menu.h"
#include "editor/editor.h"
#include "sound/sound_space.h"

namespace {

constexpr int kF8 = 297;
constexpr int kLeftShift = 340;
constexpr int kLeftControl = 341;

}  // namespace

// A second toggle within one frame finds the editor already open.
void Engine::CreateEditor() {
    if (!g_editor) g_editor = new Editor();
}

void Engine::DestroyEditor() {
    delete g_editor;
    g_editor = nullptr;
}

void OnEngineToggleEditor(int key) {
    if (key != kF8 || !IsKeyDown(kLeftControl) || !IsKeyDown(kLeftShift)) return;
    if (Engine::GetMode() == Engine::kGameMode) {
        Engine::CreateEditor();
        SoundSpace::ClearCueLocationFile();
        g_engine->requestedMode = Engine::kEditorMode;
        Engine::Pause();
    } else if (Engine::GetMode() == Engine::kEditorMode) {
        // The next frame loads the level again from what is saved here: a
        // save that fails would lose every edit, so the editor stays open.
        const std::string name = Engine::GetCurrentLevelName();
        if (!CheckLevelName(name, "Editor", "the editor stays open")) return;
        if (!SaveLevel(name, false)) {
            DebugPrint("Editor: level " + QuotedLevelName(name) + " was not saved; the editor stays open");
            return;
        }
        Engine::DestroyEditor();
        g_engine->requestedMode = Engine::kGameMode;
        Engine::Unpause();
        PauseMenu::Unpause();
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
