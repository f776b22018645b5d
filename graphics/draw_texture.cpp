#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/graphics.h"

void Graphics::DrawTexture(unsigned texture, unsigned width, unsigned height, glm::vec3 position, glm::vec4 tint) {
    Shader& shader = *graphics_state::forwardShader;
    shader.Use();
    shader.SetMat4("view", Camera::WindowViewMatrix());
    const glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), position),
                                       glm::vec3(static_cast<float>(width), static_cast<float>(height), 1.0f));
    shader.SetMat4("model", model);
    shader.SetVec4("tint", tint);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    shader.SetInt("in_texture", 0);
    glBindVertexArray(graphics_state::centredQuad.vao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
}
