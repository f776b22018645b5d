// The Level tab: the level's name and files, the entity list with its Ctrl
// and Shift selection, and the inspector of the primary selection.
#include <algorithm>
#include <cstring>
#include <exception>

#include <imgui.h>

#include "core/diagnostics/debug_print.h"
#include "core/engine/engine.h"
#include "core/entity/entity_table.h"
#include "core/level/level_files.h"
#include "core/save/save_folder.h"
#include "editor/editor.h"
#include "graphics/graphics.h"

namespace {

char levelName[128] = "";
std::vector<std::string> levelFiles;
engine::entity_handle rangeStart;
engine::entity_handle rangeEnd;

bool CtrlHeld() { return ImGui::GetIO().KeyCtrl; }
bool ShiftHeld() { return ImGui::GetIO().KeyShift; }

// A level that cannot be loaded leaves the current one loaded under its own
// name: what the designer is doing is not lost to a typo in a file.
void LoadLevelLogged(const std::string& name) {
    Editor::ForgetLevel();
    try {
        LoadLevel(name);
    } catch (const std::exception& error) {
        DebugPrint("Editor: could not load level \"" + name + "\": " + error.what());
    }
}

// The level is loaded again from what is saved here, so nothing is torn
// down unless it was saved.
void SaveAndReloadAssets() {
    const std::string name = Engine::GetCurrentLevelName();
    if (!CheckLevelName(name, "Editor", "nothing is saved or reloaded")) return;
    if (!SaveLevel(name, false)) {
        DebugPrint("Editor: level " + QuotedLevelName(name) + " was not saved, so nothing is reloaded");
        return;
    }
    Editor::ForgetLevel();
    engine::DestroyAllEntities();
    Graphics::ClearTextures();
    Engine::RestartScripts();
    LoadLevelLogged(name);
}

// The question "load" and "clear" ask before the level's edits are thrown
// away: true when "yes" is chosen.
bool Confirmed(const char* popup) {
    if (!ImGui::BeginPopup(popup)) return false;
    ImGui::Text("are you sure?");
    ImGui::Separator();
    const bool yes = ImGui::MenuItem("yes");
    ImGui::MenuItem("no");
    ImGui::EndPopup();
    return yes;
}

void DeleteSave() {
    try {
        ClearSaveFolder();
    } catch (const std::exception& error) {
        DebugPrint(std::string("Editor: could not delete the save: ") + error.what());
    }
}

}  // namespace

void Editor::ForgetLevel() {
    ClearActions();
    rangeStart = rangeEnd = engine::entity_handle();
    if (g_editor) g_editor->SelectEntity(engine::entity_handle(), true, true);
}

std::vector<engine::entity_handle> EntitiesInRange(const std::vector<engine::entity_handle>& entities,
                                                   engine::entity_handle start, engine::entity_handle end) {
    std::vector<engine::entity_handle> range;
    // A Shift-click on the entity the range starts at selects just that one.
    if (start == end) {
        if (std::find(entities.begin(), entities.end(), start) != entities.end()) range.push_back(start);
        return range;
    }
    bool inside = false;
    for (const engine::entity_handle& entity : entities) {
        if (entity == start || entity == end) {
            range.push_back(entity);
            if (inside) break;
            inside = true;
        } else if (inside) {
            range.push_back(entity);
        }
    }
    return range;
}

void Editor::DrawLevelTab() {
    std::strncpy(levelName, Engine::GetCurrentLevelName().c_str(), sizeof levelName - 1);
    levelName[sizeof levelName - 1] = '\0';
    if (ImGui::InputText("level", levelName, sizeof levelName)) Engine::SetLevel(levelName, true);

    // Loading drops every edit not written yet, so it asks first, as
    // "clear" does.
    if (ImGui::Button("load")) ImGui::OpenPopup("confirm load");
    if (Confirmed("confirm load")) {
        levelFiles = ListFiles("levels", "json");
        ImGui::OpenPopup("load level");
    }
    if (ImGui::BeginPopup("load level")) {
        for (const std::string& name : levelFiles)
            if (ImGui::MenuItem(name.c_str())) LoadLevelLogged(name);
        ImGui::EndPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("save level and reload assets")) SaveAndReloadAssets();
    ImGui::SameLine();
    if (ImGui::Button("delete save")) DeleteSave();
    ImGui::SameLine();
    if (ImGui::Button("clear")) ImGui::OpenPopup("clear level");
    if (Confirmed("clear level")) {
        ForgetLevel();
        engine::DestroyAllEntities();
    }

    ImGui::Separator();
    ImGui::BeginChild("Entities", ImVec2(ImGui::GetContentRegionAvail().x, 200), false,
                      ImGuiWindowFlags_HorizontalScrollbar);
    // A copy: a click can change the table while the list is drawn.
    const std::vector<engine::entity_handle> entities = engine::GetAllEntities();
    for (const engine::entity_handle& entity : entities) {
        if (!entity.IsValid()) continue;
        ImGui::PushID(static_cast<int>(entity.GetId()));
        const bool listed = std::find(selection.begin(), selection.end(), entity) != selection.end();
        if (ImGui::Selectable(entity.GetName().c_str(), listed)) {
            SelectEntity(entity, !CtrlHeld(), true);
            (ShiftHeld() ? rangeEnd : rangeStart) = entity;
        }
        ImGui::PopID();
    }
    if (rangeStart != engine::entity_handle() && rangeEnd != engine::entity_handle()) {
        for (const engine::entity_handle& entity : EntitiesInRange(engine::GetAllEntities(), rangeStart, rangeEnd))
            SelectEntity(entity, false, false);
        rangeStart = rangeEnd = engine::entity_handle();
    }
    ImGui::EndChild();
    ImGui::Separator();

    if (primarySelection != engine::entity_handle()) {
        if (primarySelection.IsValid())
            EditEntityWindow(primarySelection);
        else
            SelectEntity(engine::entity_handle(), true, true);
    }
    ImGui::Separator();
    ImGui::Text("Average FPS: %.1f\n", ImGui::GetIO().Framerate);
}
