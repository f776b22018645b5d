// The Editor itself: its listeners and the "Editor" window with its four tabs.
#include <imgui.h>

#include "core/engine/engine.h"
#include "core/events/events.h"
#include "editor/editor.h"
#include "graphics/camera.h"

Editor* g_editor = nullptr;

namespace {

EditorTab currentTab = kLevelTab;

constexpr const char* kTabMenus[] = {"Level", "Sound", "Tiles", "Graphics"};

}  // namespace

EditorTab GetCurrentTab() { return currentTab; }
void SetCurrentTab(EditorTab tab) { currentTab = tab; }

// The listeners find the editor through g_editor at every call: the toggle
// may close it in the middle of the very key press that reaches them.
Editor::Editor() : gameCameraPosition(Camera::GetPosition()), gameCameraZoom(Camera::GetZoom()) {
    events::Connect<>("DebugDraw", "EditorDrawDraggables", [] {
        if (g_editor) g_editor->DrawDraggables();
    });
    events::Connect<int>("KeyPressed", "EditorKeyPressed", [](int key) {
        if (g_editor) g_editor->OnKeyPressed(key);
    });
    events::Connect<int>("MouseButtonPressed", "EditorMouseButtonPressed", [](int button) {
        if (g_editor) g_editor->OnMouseButtonPressed(button);
    });
    events::Connect<int>("MouseButtonReleased", "EditorMouseButtonReleased", [](int button) {
        if (g_editor) g_editor->OnMouseButtonReleased(button);
    });
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
    // Panning and zooming are for looking over the level: the game goes on
    // with the view it had.
    Camera::SetPosition(gameCameraPosition);
    Camera::SetScale(gameCameraZoom);
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
