#include <algorithm>
#include <cmath>
#include <string>

#include "core/lighting/level_lighting.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/graphics.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"

namespace {

constexpr int kMaxShaderLights = 45;  // the shaders' array sizes

}  // namespace

void SetLitSceneUniforms(Shader& shader) {
    shader.SetVec3("moonlight_color", moonlight_color);
    shader.SetVec3("global_ambient", global_ambient);
    shader.SetFloat("global_ambient_intensity", global_ambient_intensity);
    shader.SetMat4("view", Camera::ViewMatrix(false, Camera::kBaseWidth, Camera::kBaseHeight));
    // Shadow texel (0, 0) lies at the band's bottom left corner.
    const glm::vec3 camera = Camera::GetPosition();
    shader.SetVec2("bottom_left_shadow_pos",
                   glm::vec2(std::roundf(camera.x) - LightRenderer::kWidth / 2,
                             std::roundf(camera.y) - LightRenderer::kHeight / 2 - LightRenderer::kShadowDrop));
    shader.SetVec2("shadow_uv_scale", glm::vec2(1.0f / LightRenderer::kWidth, 1.0f / LightRenderer::kShadowHeight));
}

void Graphics::SetLightUniforms(Shader& shader) {
    const LightRenderer& lights = *graphics_state::lightRenderer;
    graphics_state::pointLightCount = static_cast<int>(lights.lists.pointLights.size());
    graphics_state::moonLightCount = static_cast<int>(lights.lists.moonLights.size());
    const int points = std::min(graphics_state::pointLightCount, kMaxShaderLights);
    const int moons = std::min(graphics_state::moonLightCount, kMaxShaderLights);
    shader.SetInt("num_pointlights", points);
    shader.SetInt("num_moonlights", moons);
    shader.SetFloat("moonlight_fade_dist", moonlight_fade_dist);
    shader.SetFloat("moonlight_fade_exponent", moonlight_fade_exponent);
    for (int i = 0; i < points; ++i) {
        const PointLight& light = *lights.lists.pointLights[i];
        const std::string prefix = "point_lights[" + std::to_string(i) + "]";
        shader.SetVec2(prefix + ".pos", light.GetPosition());
        shader.SetVec3(prefix + ".color", light.color);
        shader.SetFloat(prefix + ".ambient_intensity", light.ambient_intensity);
        shader.SetFloat(prefix + ".diffuse_intensity", light.diffuse_intensity);
        shader.SetVec3(prefix + ".attenuation", light.attenuation);
    }
    for (int i = 0; i < moons; ++i) {
        const MoonLight& light = *lights.lists.moonLights[i];
        const std::string prefix = "moon_lights[" + std::to_string(i) + "]";
        shader.SetVec2(prefix + ".pos", light.GetPosition());
        shader.SetFloat(prefix + ".intensity", light.intensity);
        shader.SetFloat(prefix + ".inner_radius", light.inner_radius);
    }
}
