#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "graphics/camera.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/light_renderer.h"

namespace {

using shadow_geometry::kSlotFloats;

// A corner of a shadow triangle and the bit of the light whose shadow it is.
struct ShadowVertex {
    float x, y;
    unsigned light;
};

// Every shadowing light's triangles, light after light, and last frame's.
std::vector<ShadowVertex> vertices, previous;

// What last frame's triangles were made from: each light's position and
// reach, and every caster's ellipse. A light whose inputs are the same, over
// the same casters, keeps its triangles.
struct LightInput {
    glm::vec2 position;
    float radius;
    bool operator==(const LightInput&) const = default;
};
std::vector<LightInput> lightInputs, lastLightInputs;
std::vector<shadow_geometry::Ellipse> casterInputs, lastCasterInputs;

bool SameEllipses(const std::vector<shadow_geometry::Ellipse>& a, const std::vector<shadow_geometry::Ellipse>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.centre == y.centre && x.width == y.width && x.height == y.height;
    });
}

shadow_geometry::Ellipse EllipseOf(const ShadowCaster& caster) {
    return {caster.GetPosition(), caster.width, caster.height};
}

void ClearShadowBuffer(unsigned framebuffer) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const GLuint zero[4] = {0, 0, 0, 0};
    glClearBufferuiv(GL_COLOR, 0, zero);
}

// Fills `vertices` for the first `lights` lights; true when they differ from
// last frame's.
bool CollectShadows(const light_culling::Lists& lists, int lights) {
    casterInputs.clear();
    for (const ShadowCaster* caster : lists.shadowCasters) casterInputs.push_back(EllipseOf(*caster));
    const bool sameCasters = SameEllipses(casterInputs, lastCasterInputs);
    std::swap(vertices, previous);
    vertices.clear();
    lightInputs.clear();
    bool changed = !sameCasters || static_cast<size_t>(lights) != lastLightInputs.size();
    const size_t block = casterInputs.size() * kSlotFloats / 2;
    std::array<float, kSlotFloats> slot{};
    for (int i = 0; i < lights; ++i) {
        const PointLight& light = *lists.pointLights[i];
        lightInputs.push_back({light.GetPosition(), light.GetMaxRadius()});
        if (sameCasters && static_cast<size_t>(i) < lastLightInputs.size() && lastLightInputs[i] == lightInputs.back()) {
            const auto first = previous.begin() + static_cast<std::ptrdiff_t>(i * block);
            vertices.insert(vertices.end(), first, first + static_cast<std::ptrdiff_t>(block));
            continue;
        }
        changed = true;
        for (const shadow_geometry::Ellipse& caster : casterInputs) {
            shadow_geometry::FillSlot(caster, lightInputs.back().position, lightInputs.back().radius, slot.data());
            for (size_t corner = 0; corner < kSlotFloats; corner += 2)
                vertices.push_back({slot[corner], slot[corner + 1], static_cast<unsigned>(i)});
        }
    }
    std::swap(lightInputs, lastLightInputs);
    std::swap(casterInputs, lastCasterInputs);
    return changed;
}

}  // namespace

void LightRenderer::DrawShadows() {
    glViewport(0, 0, kWidth, kShadowHeight);
    ClearShadowBuffer(sBuffers[1]);
    ClearShadowBuffer(sBuffers[0]);  // left bound: the shadows go here

    const int lights = std::min(static_cast<int>(lists.pointLights.size()), kMaxShadowLights);
    const bool changed = CollectShadows(lists, lights);
    if (vertices.empty()) return;

    // The band: 498 wide around the camera, from 840 below it to 140 above.
    const glm::vec3 camera = Camera::GetPosition();
    const float x = std::roundf(camera.x), y = std::roundf(camera.y);
    const glm::mat4 view = glm::translate(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / kWidth, 2.0f / kShadowHeight, 1.0f)),
                                          glm::vec3(-x, -(y - (kShadowDrop / 2)), 0.0f));
    shadowShader.Use();
    shadowShader.SetMat4("view", view);
    // Every light in one draw: each triangle ORs its light's bit into the
    // texels it covers, so a texel holds a light's bit once however many of
    // its shadows overlap there, and sBuffer 1 (all zero) stands for the
    // bits drawn before.
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sTextures[1]);
    shadowShader.SetInt("shadow_texture", 0);
    shadowShader.SetUint("shadow_num", 0u);
    glBindVertexArray(streamVAO);
    glBindBuffer(GL_ARRAY_BUFFER, streamVBO);
    // Lights and casters that stay where they were keep the buffer as it is.
    if (changed)
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(ShadowVertex)),
                     vertices.data(), GL_STREAM_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(ShadowVertex), nullptr);
    glEnableVertexAttribArray(0);
    glVertexAttribIPointer(1, 1, GL_UNSIGNED_INT, sizeof(ShadowVertex),
                           reinterpret_cast<const void*>(offsetof(ShadowVertex, light)));
    glEnableVertexAttribArray(1);
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_OR);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    glDisable(GL_COLOR_LOGIC_OP);
}
