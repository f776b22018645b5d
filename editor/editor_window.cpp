// The Editor itself: its listeners and the "Editor" window with its four tabs.
#include <imgui.h>

#include "core/engine/engine.h"
#include "core/events/events.h"
#include "editor/editor.h"

Editor* g_editor = nullptr;

namespace {

EditorTab currentTab = kLevelTab;

constexpr const char* kTabMenus[] = {"Level", "Sound", "Tiles", "Graphics"};

}  // namespace

EditorTab GetCurrentTab() { return currentTab; }
void SetCurrentTab(EditorTab tab) { currentTab = tab; }

Editor::Editor() {
    events::Connect<>("DebugDraw", "EditorDrawDraggables", [this] { DrawDraggables(); });
    events::Connect<int>("KeyPressed", "EditorKeyPressed", [this](int key) { OnKeyPressed(key); });
    events::Connect<int>("MouseButtonPressed", "EditorMouseButtonPressed",
                         [this](int button) { OnMouseButtonPressed(button); });
    events::Connect<int>("MouseButtonReleased", "EditorMouseButtonReleased",
                         [this](int button) { OnMouseButtonReleased(button); });
}

Editor::~Editor() {
    // A gesture still running would go on moving things, drawing or painting
    // with nobody left to end it.
    CloseSelectionBox();
    EndMoveEntity();
    EndPanCamera();
    TileEditor::EndStroke();
    events::Disconnect("DebugDraw", "EditorDrawDraggables");
    events::Disconnect("KeyPressed", "EditorKeyPressed");
    events::Disconnect("MouseButtonPressed", "EditorMouseButtonPressed");
    events::Disconnect("MouseButtonReleased", "EditorMouseButtonReleased");
}

void Editor::Draw() {
    if (Engine::IsMinimized()) return;
    ImGui::SetNextWindowPos(ImVec2(50, 25), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(500, 680), ImGuiCond_FirstUseEver);
    ImGui::Begin("Editor", nullptr, ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_MenuBar);
    if (ImGui::BeginMenuBar()) {
        // A click on a title switches the tab; no menu ever shows.
        for (int tab = 0; tab < 4; ++tab) {
            if (ImGui::BeginMenu(kTabMenus[tab], tab != currentTab)) {
                currentTab = static_cast<EditorTab>(tab);
                ImGui::CloseCurrentPopup();
                ImGui::EndMenu();
            }
        }
        ImGui::EndMenuBar();
    }
    switch (currentTab) {
        case kLevelTab: DrawLevelTab(); break;
        case kSoundTab: DrawSoundTab(); break;
        case kTilesTab: DrawTilesTab(); break;
        case kGraphicsTab: DrawGraphicsTab(); break;
    }
    ImGui::End();
}
