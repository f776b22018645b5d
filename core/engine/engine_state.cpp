// The engine's state as every subsystem sees it.
#include "core/engine/engine.h"
#include "core/engine/pause_hook.h"

Engine* g_engine = nullptr;
void (*g_pauseSoundHook)(bool paused) = nullptr;

namespace {

std::string currentLevelName;
std::string nextLevelName = "korvel_splash";  // the first frame always loads it

}  // namespace

void Engine::Pause() {
    if (g_engine->paused) return;
    g_engine->paused = true;
    if (g_pauseSoundHook) g_pauseSoundHook(true);
    g_engine->timeScale = 0.0f;
}

void Engine::Unpause() {
    if (!g_engine->paused) return;
    g_engine->paused = false;
    if (g_pauseSoundHook) g_pauseSoundHook(false);
    g_engine->timeScale = 1.0f;
}

void Engine::SetLevel(const std::string& name, bool keep) {
    nextLevelName = name;
    if (keep)
        currentLevelName = name;
    else
        g_engine->reloadLevel = true;
}

float Engine::GetDeltaTime() { return g_engine->frameTime; }
std::string& Engine::GetCurrentLevelName() { return currentLevelName; }
std::string& Engine::GetNextLevelName() { return nextLevelName; }
int32_t Engine::GetRequestedMode() { return g_engine->requestedMode; }
bool Engine::GetSaveOnUnload() { return g_engine->saveOnUnload; }
void Engine::SetSaveOnUnload(bool save) { g_engine->saveOnUnload = save; }
int32_t Engine::GetMode() { return g_engine->mode; }
bool Engine::HasFocus() { return g_engine->hasFocus; }
bool Engine::IsMinimized() { return g_engine->minimized; }
bool Engine::IsPaused() { return g_engine->paused; }
