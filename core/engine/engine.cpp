// Start-up and tear-down: each step may use only the events registered and
// the singletons created by the steps before it.
#include <GLFW/glfw3.h>

#include "core/diagnostics/console.h"
#include "core/diagnostics/debug_print.h"
#include "core/engine/cheats.h"
#include "core/engine/engine.h"
#include "core/engine/register_all.h"
#include "core/entity/entity_handle.h"
#include "core/events/events.h"
#include "core/input/input.h"
#include "core/pause/pause_menu.h"
#include "graphics/debug_draw.h"
#include "graphics/graphics.h"
#include "physics/physics.h"
#include "scripting/lua_host.h"
#include "sound/engine_audio.h"

namespace {

// Owned by the engine; deliberately not smart pointers, since after a fatal
// error the program ends without tearing any of them down.
Input* input = nullptr;
Console* console = nullptr;
Graphics* graphics = nullptr;
DebugDraw* debugDraw = nullptr;
Cheats* cheats = nullptr;
PauseMenu* pauseMenu = nullptr;

template <typename T>
void Delete(T*& singleton) {
    delete singleton;
    singleton = nullptr;
}

}  // namespace

Engine::Engine() {
    physics = std::make_unique<Physics>();
    audio = std::make_unique<AudioSystem>();
    components::RegisterAll();
    input = new Input();
    console = new Console();
    graphics = new Graphics();
    debugDraw = new DebugDraw();
    cheats = new Cheats();
    StartAudio(*audio);
    physics->Init();
    InitInput();
    events::Register<float>("PreLogicUpdate");
    events::Register<float>("LogicUpdate");
    events::Register<engine::entity_handle>("EditorSelectedEntity");
    events::Register<Json::Value*>("LevelLoad");
    events::Register<Json::Value*>("LevelUnload");
    events::Register<Json::Value*>("LevelUnloadFinished");
    events::Register<>("PauseMenuPaused");
    events::Register<>("PauseMenuUnPaused");
    events::Register<>("PauseMenuConfirmClose");
    events::Connect<int>("KeyPressed", "EngineToggleEditor", OnEngineToggleEditor);
    glfwSetWindowIconifyCallback(Graphics::GetWindow(), OnWindowIconify);
    pauseMenu = new PauseMenu();
    // The start-up scripts may call exports that read the engine's state, so
    // the engine is reachable while they run; it is not if they fail.
    g_engine = this;
    try {
        CreateLuaHost();
    } catch (...) {
        g_engine = nullptr;
        throw;
    }
}

void Engine::RestartScripts() {
    Delete(pauseMenu);
    DestroyLuaHost();
    // Broken scripts while editing are the designer's to mend: the game goes
    // on without a Lua host until the next reload.
    try {
        CreateLuaHost();
    } catch (const std::exception& error) {
        DebugPrint(error.what());
    }
    pauseMenu = new PauseMenu();
}

Engine::~Engine() {
    DestroyLuaHost();
    Delete(cheats);
    Delete(pauseMenu);
    DestroyEditor();
    Delete(debugDraw);
    SoundSpace::SaveStorage();
    Delete(console);
    Delete(input);
    Delete(graphics);
    audio.reset();
    physics.reset();
}
