// The inspector's widgets for this component.
#include <glm/gtc/type_ptr.hpp>
#include <imgui.h>

#include "graphics/shadow_caster.h"

void ShadowCaster::EditInfoDisplay() {
    ImGui::InputFloat2("offset", glm::value_ptr(offset));
    ImGui::InputFloat("width", &width);
    ImGui::InputFloat("height", &height);
}
