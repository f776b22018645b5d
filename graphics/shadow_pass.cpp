#include <algorithm>
#include <array>
#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "graphics/camera.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/light_renderer.h"

namespace {

using shadow_geometry::kSlotFloats;

// One batch of casters' shadow triangles, refilled and uploaded whole.
std::array<float, LightRenderer::kBatchCasters * kSlotFloats> batch{};

shadow_geometry::Ellipse EllipseOf(const ShadowCaster& caster) {
    return {caster.GetPosition(), caster.width, caster.height};
}

void ClearShadowBuffer(unsigned framebuffer) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const GLuint zero[4] = {0, 0, 0, 0};
    glClearBufferuiv(GL_COLOR, 0, zero);
    glClear(GL_STENCIL_BUFFER_BIT);
}

}  // namespace

void LightRenderer::DrawShadows() {
    glViewport(0, 0, kWidth, kShadowHeight);
    ClearShadowBuffer(sBuffers[0]);
    ClearShadowBuffer(sBuffers[1]);

    shadowShader.Use();
    glBindVertexArray(streamVAO);
    glBindBuffer(GL_ARRAY_BUFFER, streamVBO);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
    glEnableVertexAttribArray(0);

    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);

    // The band: 498 wide around the camera, from 840 below it to 140 above.
    const glm::vec3 camera = Camera::GetPosition();
    const float x = std::roundf(camera.x), y = std::roundf(camera.y);
    const glm::mat4 view = glm::translate(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / kWidth, 2.0f / kShadowHeight, 1.0f)),
                                          glm::vec3(-x, -(y - (kShadowDrop / 2)), 0.0f));
    glActiveTexture(GL_TEXTURE0);
    shadowShader.SetInt("shadow_texture", 0);
    shadowShader.SetMat4("view", view);
    const int bit = shadowShader.GetUniformLocation("shadow_num");

    const int lights = std::min(static_cast<int>(lists.pointLights.size()), kMaxShadowLights);
    // Alternate between the buffers so that the last light lands in sBuffer 0.
    int target = lights % 2;
    for (int i = 0; i < lights; ++i) {
        const PointLight& light = *lists.pointLights[i];
        shadowShader.SetUintAt(bit, static_cast<unsigned>(i));
        target = 1 - target;
        glBindFramebuffer(GL_FRAMEBUFFER, sBuffers[target]);
        glBindTexture(GL_TEXTURE_2D, sTextures[1 - target]);
        if (i > 0) {
            // Start from the bits of the lights before, stencil included.
            glBindFramebuffer(GL_READ_FRAMEBUFFER, sBuffers[1 - target]);
            glBlitFramebuffer(0, 0, kWidth, kShadowHeight, 0, 0, kWidth, kShadowHeight,
                              GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, GL_NEAREST);
        }
        // Each texel takes this light's bit once, however many shadows overlap there.
        glStencilFunc(GL_NOTEQUAL, i + 1, 0xFF);
        const glm::vec2 position = light.GetPosition();
        for (size_t first = 0; first < lists.shadowCasters.size(); first += kBatchCasters) {
            const size_t count = std::min<size_t>(kBatchCasters, lists.shadowCasters.size() - first);
            for (size_t c = 0; c < count; ++c)
                shadow_geometry::FillSlot(EllipseOf(*lists.shadowCasters[first + c]), position, light.GetMaxRadius(),
                                          &batch[c * kSlotFloats]);
            glBufferData(GL_ARRAY_BUFFER, sizeof batch, batch.data(), GL_STREAM_DRAW);
            glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(9 * count));
        }
    }
    glDisable(GL_STENCIL_TEST);
}
