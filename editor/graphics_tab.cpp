// The Graphics tab: the level's lighting values and the renderer's counts of
// the last frame.
#include <string>

#include <glm/gtc/type_ptr.hpp>
#include <imgui.h>

#include "core/lighting/level_lighting.h"
#include "editor/editor.h"
#include "graphics/graphics.h"

namespace {

// The size of the lit pass's point-light and moon-light arrays.
constexpr int kMaxLights = 45;

void Count(const char* label, int count) { ImGui::Text("%s", (label + std::to_string(count)).c_str()); }

}  // namespace

void Editor::DrawGraphicsTab() {
    ImGui::ColorEdit3("moonlight color", glm::value_ptr(moonlight_color));
    ImGui::InputFloat("moonlight fade dist", &moonlight_fade_dist);
    ImGui::InputFloat("moonlight fade exponent", &moonlight_fade_exponent);
    ImGui::Spacing();
    ImGui::ColorEdit3("global ambient", glm::value_ptr(global_ambient));
    ImGui::InputFloat("global ambient intensity", &global_ambient_intensity);
    ImGui::Spacing();
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Text("Approximates zero for point lights");
    ImGui::Text("A larger value should increase performance.");
    ImGui::Text("A smaller value may prevent excessive culling.");
    ImGui::Text("Increase when lights/casters approach limits.");
    ImGui::InputFloat("attenuation zero", &attenuation_zero);
    ImGui::Spacing();
    ImGui::Spacing();
    ImGui::Separator();
    Count("maximum point lights: ", kMaxLights);
    Count("current point lights: ", Graphics::GetPointLightCount());
    ImGui::Spacing();
    Count("maximum moon lights: ", kMaxLights);
    Count("current moon lights: ", Graphics::GetMoonLightCount());
    ImGui::Spacing();
    Count("current shadow casters: ", Graphics::GetShadowCasterCount());
    ImGui::Spacing();
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Text("Average FPS: %.1f\n", ImGui::GetIO().Framerate);
}
