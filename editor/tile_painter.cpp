// The Tiles tab and the tile painter.
#include <algorithm>

#include <imgui.h>

#include "core/events/events.h"
#include "core/save/save_folder.h"
#include "editor/editor.h"
#include "graphics/tile_map.h"

namespace {

constexpr const char* kDragListener = "TileEditorMouseDraggingUpdate";
constexpr const char* kReleaseListener = "TileEditorMouseButtonRelease";

uint32_t selectedTileType = 0;
std::vector<std::string> textureFiles;
bool painting = false;

void Paint() {
    TileMap* map = GetTileMap();
    if (!map) return;
    const glm::vec3 w = MouseWorldPoint();
    map->SetTile(w.x, w.y, static_cast<int32_t>(selectedTileType));
}

// A tile size typed below 0 counts as 0 rather than wrapping round.
void EditTileSize(const char* label, uint32_t size, void (TileMap::*set)(uint32_t), TileMap& map) {
    int value = static_cast<int>(std::min<uint32_t>(size, INT32_MAX));
    if (ImGui::InputInt(label, &value, 1, 100)) (map.*set)(static_cast<uint32_t>(std::max(value, 0)));
}

void DrawTileTextures(TileMap& map) {
    const std::vector<std::string> names = map.GetTextureNames();
    for (size_t i = 1; i < names.size(); ++i) {
        ImGui::Text("tile %zu:", i);
        ImGui::SameLine();
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Button(names[i].c_str())) {
            textureFiles = ListFiles("textures", "png");
            ImGui::OpenPopup("select texture");
        }
        if (ImGui::BeginPopup("select texture")) {
            for (const std::string& file : textureFiles)
                if (ImGui::MenuItem(file.c_str())) map.SetTexture(static_cast<uint32_t>(i), file);
            ImGui::EndPopup();
        }
        ImGui::PopID();
        ImGui::Spacing();
    }
    if (ImGui::Button("add tile")) map.SetTexture(static_cast<uint32_t>(map.GetTextureNames().size()), "debug");
    ImGui::SameLine();
    if (ImGui::Button("remove last tile")) map.RemoveLastTexture();
}

}  // namespace

namespace TileEditor {

void OnMouseButtonPressed() {
    // A press whose release never arrived is still painting: no second set
    // of listeners.
    if (!painting) {
        events::Connect<float>("LogicUpdate", kDragListener, DragUpdate);
        events::Connect<int>("MouseButtonReleased", kReleaseListener, OnMouseButtonReleased);
        painting = true;
    }
    Paint();
}

void DragUpdate(float) { Paint(); }

void OnMouseButtonReleased(int button) {
    if (button == 0) EndStroke();
}

void EndStroke() {
    if (!painting) return;
    events::Disconnect("LogicUpdate", kDragListener);
    events::Disconnect("MouseButtonReleased", kReleaseListener);
    painting = false;
}

void SetSelectedTileType(uint32_t type) { selectedTileType = type; }

}  // namespace TileEditor

void Editor::DrawTilesTab() {
    TileMap* map = GetTileMap();
    if (!map) return;  // only between a failed load and the next
    EditTileSize("tile width", map->GetTileWidth(), &TileMap::SetTileWidth, *map);
    EditTileSize("tile height", map->GetTileHeight(), &TileMap::SetTileHeight, *map);
    ImGui::Separator();
    if (ImGui::BeginChild("tile textures", ImVec2(ImGui::GetContentRegionAvail().x, 260), false)) DrawTileTextures(*map);
    ImGui::EndChild();
    ImGui::Separator();
    ImGui::Spacing();
    ImGui::Spacing();
    ImGui::Text("selected tile type:");
    ImGui::Separator();
    if (ImGui::BeginChild("tile number", ImVec2(ImGui::GetContentRegionAvail().x, 295), false)) {
        const std::vector<std::string>& names = map->GetTextureNames();
        for (size_t i = 0; i < names.size(); ++i) {
            ImGui::PushID(static_cast<int>(i));  // two tile types may share a texture
            if (ImGui::Selectable(names[i].c_str(), i == selectedTileType)) selectedTileType = static_cast<uint32_t>(i);
            ImGui::PopID();
        }
    }
    ImGui::EndChild();
}
