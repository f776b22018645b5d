// The inspector's widgets for this component.
#include <glm/gtc/type_ptr.hpp>
#include <imgui.h>

#include "graphics/point_light.h"

void PointLight::EditInfoDisplay() {
    ImGui::Spacing();
    ImGui::InputFloat2("offset", glm::value_ptr(offset));
    ImGui::InputFloat("max radius", &max_radius);
    ImGui::ColorEdit3("color", glm::value_ptr(color));
    ImGui::InputFloat("ambient intensity", &ambient_intensity);
    ImGui::InputFloat("diffuse intensity", &diffuse_intensity);
    ImGui::InputFloat3("attenuation coefficients", glm::value_ptr(attenuation));
}
