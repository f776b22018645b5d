// The inspector's widgets for this component.
#include <algorithm>
#include <vector>

#include <glm/gtc/type_ptr.hpp>
#include <imgui.h>

#include "core/engine/engine.h"
#include "core/save/save_folder.h"
#include "graphics/sprite.h"

namespace {

std::vector<std::string> textureFiles;

// Frame counts below 1 would leave nothing to show; the field keeps them up.
bool EditCount(const char* label, uint32_t& count) {
    int value = static_cast<int>(std::min<uint32_t>(count, INT32_MAX));
    if (!ImGui::InputInt(label, &value, 1, 100)) return false;
    count = static_cast<uint32_t>(std::max(value, 1));
    return true;
}

}  // namespace

void Sprite::EditInfoDisplay() {
    StepAnimation(Engine::GetDeltaTime());  // the section previews the animation
    if (ImGui::Button("select texture")) {
        textureFiles = ListFiles("textures", "png");
        ImGui::OpenPopup("select texture");
    }
    if (ImGui::BeginPopup("select texture")) {
        for (const std::string& name : textureFiles)
            if (ImGui::MenuItem(name.c_str())) SetTexture(name);
        ImGui::EndPopup();
    }
    ImGui::Checkbox("environmental", &environmental);
    ImGui::Checkbox("clamped", &clamped);
    ImGui::Checkbox("looping", &looping);
    ImGui::InputFloat("y offset", &y_offset);
    ImGui::ColorEdit4("tint", glm::value_ptr(tint));
    ImGui::SliderFloat("frame time", &frame_time, 0.001f, 1.0f, "%.3f");
    bool layout = EditCount("frames", frames);
    layout |= EditCount("rows", rows);
    layout |= EditCount("columns", columns);
    if (layout) RebuildQuad();
}
