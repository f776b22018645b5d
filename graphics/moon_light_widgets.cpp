// The inspector's widgets for this component.
#include <glm/gtc/type_ptr.hpp>
#include <imgui.h>

#include "graphics/moon_light.h"

void MoonLight::EditInfoDisplay() {
    ImGui::InputFloat2("offset", glm::value_ptr(offset));
    ImGui::InputFloat("intensity", &intensity);
    ImGui::InputFloat("inner radius", &inner_radius);
}
