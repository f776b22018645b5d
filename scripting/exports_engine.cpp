// Engine control, levels and printing. lb_pause_menu_unpause lives with the
// pause menu.
#include <GLFW/glfw3.h>

#include "core/engine/engine.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "core/pause/pause_menu.h"
#include "graphics/graphics.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"

namespace {

constexpr const char* kIgnored = "the level does not change";

// A change requested earlier, in this frame or a previous one, wins (see
// LevelChangePending). With saving armed outside the editor the level being
// left is saved into the save folder once it has been unloaded.
void ChangeLevel(const std::string& level, const char* who) {
    if (LevelChangePending()) return;
    if (!CheckLevelName(level, who, kIgnored)) return;
    const bool editor = Engine::GetRequestedMode() == Engine::kEditorMode;
    if (!CheckLevelExists(level, editor, who, kIgnored)) return;
    Engine::SetLevel(level, false);
    if (Engine::GetSaveOnUnload() && Engine::GetMode() != Engine::kEditorMode)
        events::Connect<Json::Value*>("LevelUnloadFinished", "LuaSaveLevelOnUnload", OnLuaSaveLevelOnUnload);
}

}  // namespace

void lb_engine_change_level(const char* level) {
    AtEdge([&] { ChangeLevel(Text(level), "lb_engine_change_level"); });
}

bool lb_engine_has_save_file() {
    return AtEdge(false, [] { return !GetLastLevel().empty(); });
}

bool lb_engine_in_editor() {
    return AtEdge(false, [] { return Engine::GetMode() == Engine::kEditorMode; });
}

bool lb_engine_is_paused() {
    return AtEdge(false, [] { return Engine::IsPaused(); });
}

// Starts the level afresh from its shipped file: the save folder is emptied
// and the level being left is not saved. A restart that will not happen
// changes nothing, the save folder included: one asked while another change
// is pending (the first asked wins, as for every change), to a name that is
// refused, or to a level with no shipped file to start from.
void lb_engine_load_level_restart(const char* level) {
    AtEdge([&] {
        const char* who = "lb_engine_load_level_restart";
        if (LevelChangePending()) return;
        if (!CheckLevelName(Text(level), who, kIgnored) || !CheckLevelExists(Text(level), true, who, kIgnored)) return;
        ClearSaveFolder();
        // The change is taken before unpausing lets scripts run again, so
        // nothing they ask can take its place once the folder is empty.
        Engine::SetSaveOnUnload(false);
        ChangeLevel(Text(level), who);
        lb_pause_menu_unpause();
    });
}

// Without a save file there is no level to go back to: loading the level ""
// would end the game, so nothing changes.
void lb_engine_load_saved_level() {
    AtEdge([] {
        const std::string level = GetLastLevel();
        if (level.empty()) {
            DebugPrint("lb_engine_load_saved_level: there is no saved level to load");
            return;
        }
        ChangeLevel(level, "lb_engine_load_saved_level");
    });
}

void lb_engine_pause() {
    AtEdge([] { Engine::Pause(); });
}

void lb_engine_quit_game() {
    AtEdge([] { glfwSetWindowShouldClose(Graphics::GetWindow(), GLFW_TRUE); });
}

void lb_engine_save_on_unload(bool save) {
    AtEdge([&] { Engine::SetSaveOnUnload(save); });
}

void lb_engine_unpause() {
    AtEdge([] { Engine::Unpause(); });
}

void lb_print(const char* text) {
    AtEdge([&] { DebugPrint(Text(text)); });
}
