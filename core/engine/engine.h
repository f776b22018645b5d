#pragma once
// The one application object. Every subsystem reads the engine's state
// through the static accessors below, which go through g_engine. During
// start-up g_engine is set just before the Lua host runs the start-up scripts
// (which may ask about the engine's state), and cleared again if they fail;
// nothing that runs earlier in the constructor may use the accessors.
//
// The constructor, the destructor, Run and the editor toggle name every
// subsystem and live in the composition library (qm_engine); the state and
// its accessors live in qm_core, so any subsystem may include this header.

#include <cstdint>
#include <memory>
#include <string>

struct GLFWwindow;
class Physics;
class AudioSystem;

class Engine {
public:
    static constexpr int32_t kGameMode = 0;
    static constexpr int32_t kEditorMode = 1;
    static constexpr int32_t kStartMode = 2;  // before the first frame
    // The longest frame time the loop hands on, seconds: a longer frame (a
    // stall, a busy machine) counts as this long.
    static constexpr float kLongestFrame = 0.25f;

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Runs frames until the window's close flag is set, then unloads the
    // level and destroys every entity.
    void Run();

    // Idempotent: pausing a paused engine (or resuming a running one) does
    // nothing. While paused the scaled frame time is 0.
    static void Pause();
    static void Unpause();
    // Makes name the next level. With keep it also becomes the current level
    // and no load is requested; without it the next frame loads it.
    static void SetLevel(const std::string& name, bool keep);

    // The editor exists only between these two; creating it while it is
    // open, or destroying it while it is closed, does nothing.
    static void CreateEditor();
    static void DestroyEditor();
    // The editor's reload: replaces the pause menu and the Lua host with
    // new ones, which run every script again. Scripts that fail to start are
    // logged and leave no Lua host.
    static void RestartScripts();

    // The last frame's time, unscaled, seconds: what "LogicUpdate" was
    // handed while running, at most kLongestFrame, not counting a level load.
    static float GetDeltaTime();
    static std::string& GetCurrentLevelName();
    static std::string& GetNextLevelName();
    static int32_t GetRequestedMode();
    static bool GetSaveOnUnload();
    static void SetSaveOnUnload(bool save);
    static int32_t GetMode();
    static bool HasFocus();
    static bool IsMinimized();
    static bool IsPaused();

    bool paused = false;
    bool minimized = false;
    float lastTime = 0.0f;  // clock reading at the previous frame, seconds
    float timeScale = 1.0f;
    float frameTime = 0.0f;  // the last frame's unscaled time, seconds (see GetDeltaTime)
    int32_t mode = kStartMode;
    int32_t requestedMode = kGameMode;
    bool reloadLevel = false;
    bool saveOnUnload = false;
    bool hasFocus = true;
    std::unique_ptr<Physics> physics;
    std::unique_ptr<AudioSystem> audio;
};

extern Engine* g_engine;

// "EngineToggleEditor" on "KeyPressed": Ctrl+Shift+F8 with the left-hand
// modifiers switches between game and editor at the next frame.
void OnEngineToggleEditor(int key);
// The window's iconify callback.
void OnWindowIconify(GLFWwindow* window, int iconified);
