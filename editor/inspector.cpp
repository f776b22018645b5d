// The entity inspector: name, position, adding and removing components, and
// one section per component drawn by the component itself.
#include <algorithm>
#include <cstring>

#include <imgui.h>

#include "core/components/registry.h"
#include "core/entity/entity_base.h"
#include "editor/editor.h"

namespace {

char nameBuffer[128] = "";
std::vector<std::pair<uint32_t, std::string>> componentTypes;

void RebuildComponentTypes() {
    const auto& names = components::GetNameMap();
    componentTypes.assign(names.begin(), names.end());
    std::sort(componentTypes.begin(), componentTypes.end(), CompareComponentNames);
}

bool Holds(engine::entity_handle entity, uint32_t typeId) {
    return entity.IsValid() && entity.GetBaseEntity().components.count(typeId) > 0;
}

}  // namespace

bool CompareComponentNames(const std::pair<uint32_t, std::string>& a, const std::pair<uint32_t, std::string>& b) {
    return a.second < b.second;
}

void EditEntityWindow(engine::entity_handle entity) {
    std::strncpy(nameBuffer, entity.GetName().c_str(), sizeof nameBuffer - 1);
    nameBuffer[sizeof nameBuffer - 1] = '\0';
    if (ImGui::InputText("ent name", nameBuffer, sizeof nameBuffer)) entity.SetName(nameBuffer);
    ImGui::InputFloat3("ent pos", &entity.GetPosition().x, "%.2f");

    RebuildComponentTypes();
    if (ImGui::Button("add")) ImGui::OpenPopup("add component");
    if (ImGui::BeginPopup("add component")) {
        for (const auto& [typeId, typeName] : componentTypes) {
            if (Holds(entity, typeId) || !ImGui::MenuItem(typeName.c_str())) continue;
            entity.AddComponent(typeName, Json::Value());
            break;
        }
        ImGui::EndPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("remove")) ImGui::OpenPopup("remove component");
    if (ImGui::BeginPopup("remove component")) {
        for (const auto& [typeId, typeName] : componentTypes) {
            if (!Holds(entity, typeId) || !ImGui::MenuItem(typeName.c_str())) continue;
            entity.RemoveComponent(typeName);
            break;
        }
        ImGui::EndPopup();
    }

    ImGui::Separator();
    ImGui::BeginChild("Edit Entity", ImVec2(ImGui::GetContentRegionAvail().x, 300), false,
                      ImGuiWindowFlags_HorizontalScrollbar);
    for (const auto& [typeId, typeName] : componentTypes) {
        // Looked up afresh for each section: a component's widgets may run
        // scripts that create entities, which moves every record.
        if (!Holds(entity, typeId)) continue;
        if (!ImGui::CollapsingHeader(typeName.c_str(), ImGuiTreeNodeFlags_Framed)) continue;
        // Labels repeat across components; each section gets its own ids.
        ImGui::PushID(typeName.c_str());
        entity.GetBaseEntity().components.at(typeId)->EditInfoDisplay();
        ImGui::PopID();
    }
    ImGui::EndChild();
}
