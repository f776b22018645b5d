// The frame loop. Its steps run in a fixed order that scripts and components
// rely on; nothing here catches exceptions, so any error ends in main's
// fatal-error report.
#include <algorithm>
#include <chrono>
#include <thread>

#include <GLFW/glfw3.h>

#include "core/diagnostics/console.h"
#include "core/engine/engine.h"
#include "core/engine/focus.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "core/pause/pause_menu.h"
#include "editor/editor.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"
#include "graphics/graphics.h"
#include "physics/physics.h"
#include "sound/engine_audio.h"

namespace {

float Now() { return static_cast<float>(glfwGetTime()); }

// The window's focus stands for "the game is the foreground window".
void UpdateFocus(Engine& engine, GLFWwindow* window) {
    static FocusTimers timers;
    const bool focused = glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
    const FocusDecision decision = DecideFocus(focused, engine.minimized, Graphics::IsFullscreen(), Now(), timers);
    if (decision.pause) PauseMenu::Pause();
    engine.hasFocus = decision.hasFocus;
    engine.minimized = decision.minimized;
    if (decision.iconify) glfwIconifyWindow(window);
    if (decision.restore) glfwRestoreWindow(window);
    if (decision.sleep) std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

void RunFrame(Engine& engine, GLFWwindow* window) {
    glfwPollEvents();
    UpdateFocus(engine, window);
    if (engine.mode != engine.requestedMode || engine.reloadLevel) {
        engine.reloadLevel = false;
        SoundSpace::StopBus("Master Bus", 0);
        Editor::ForgetLevel();
        const float loadStart = Now();
        LoadLevel(Engine::GetNextLevelName());
        // The time a load takes passes for no one in the game: the level's
        // first frame is as long as the frames around the load.
        engine.lastTime += Now() - loadStart;
    }
    AudioSystem::SetListener(Camera::GetPosition(), {0.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
    const float now = Now();
    // Below four frames a second the game slows down rather than jump ahead:
    // scripts, physics and animation never see more than a quarter second
    // at once. The clamp at 0 only absorbs the rounding of the load's time.
    engine.frameTime = std::clamp(now - engine.lastTime, 0.0f, Engine::kLongestFrame);
    engine.lastTime = now;
    const float dt = engine.timeScale * engine.frameTime;
    // A change requested while the level loaded (a "LevelLoad" listener, say)
    // stays pending for the next frame: taking its name now would save the
    // level being left under the new name and load that copy in its place.
    if (!engine.reloadLevel) Engine::GetCurrentLevelName() = Engine::GetNextLevelName();
    engine.mode = engine.requestedMode;
    engine.physics->Update(dt);
    events::Call<float>("PreLogicUpdate", dt);
    events::Call<float>("LogicUpdate", dt);
    engine.audio->Update();
    if (Graphics::BeginFrame()) {
        Graphics::Draw(dt);
        DebugDraw::Frame();
        if (engine.mode == Engine::kEditorMode && engine.requestedMode == Engine::kEditorMode && g_editor) {
            Editor::UpdateActions();
            g_editor->Draw();
        }
        Console::Draw();
        Graphics::EndFrame();
    }
    engine::FlushPendingDestroys();
}

}  // namespace

void Engine::Run() {
    GLFWwindow* window = Graphics::GetWindow();
    while (!glfwWindowShouldClose(window)) RunFrame(*this, window);
    if (saveOnUnload && mode != kEditorMode) {
        try {
            events::Connect<Json::Value*>("LevelUnloadFinished", "LuaSaveLevelOnUnload", OnLuaSaveLevelOnUnload);
        } catch (const debug::exception&) {
            // A script's level change already connected it: that one saves
            // the same level once.
        }
    }
    UnloadLevel();
    engine::DestroyAllEntities();
}
