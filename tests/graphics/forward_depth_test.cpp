// The shipped forward shaders against the lit scene: the composite of the
// 498 by 280 picture writes the depth the lit pass stored, so forward sprites
// in front of a lit texel cover it and those behind it do not.
#include <gtest/gtest.h>

#include <array>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "tests/graphics/graphics_fixture.h"

namespace {

using Rgba = std::array<unsigned char, 4>;

unsigned MakeTexture(GLint internalFormat, GLenum format, GLenum type, const void* texels) {
    unsigned texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, 2, 1, 0, format, type, texels);
    return texture;
}

Rgba WindowPixel(int x, int y) {
    Rgba pixel{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

// A white 4 by 4 forward sprite at clip depth `depth`, whatever the camera's z.
void DrawForwardSprite(unsigned white, float x, float depth) {
    Shader& shader = *graphics_state::forwardShader;
    shader.Use();
    shader.SetMat4("view", Camera::WindowViewMatrix());
    shader.SetMat4("model", glm::scale(glm::translate(glm::mat4(1.0f), {x, 0.0f, depth}), {4.0f, 4.0f, 1.0f}));
    shader.SetVec4("tint", glm::vec4(1.0f));
    shader.SetInt("in_texture", 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, white);
    glBindVertexArray(graphics_state::centredQuad.vao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

using ForwardDepth = GraphicsTest;

TEST_F(ForwardDepth, ForwardSpritesSortAgainstTheLitScene) {
    // Lit picture: a red texel drawn at window depth 0.5 (a lit sprite at
    // clip depth 0) on the left half, nothing on the right half.
    const std::array<Rgba, 2> colours = {Rgba{255, 0, 0, 255}, Rgba{255, 255, 255, 255}};
    const std::array<float, 2> depths = {0.5f, 1.0f};
    const unsigned colour = MakeTexture(GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE, colours.data());
    const unsigned depth = MakeTexture(GL_R32F, GL_RED, GL_FLOAT, depths.data());
    const Rgba white{255, 255, 255, 255};
    const std::array<Rgba, 2> whites = {white, white};
    const unsigned whiteTexture = MakeTexture(GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE, whites.data());

    for (const float cameraZ : {0.0f, 0.2f, -50.0f}) {
        SCOPED_TRACE(cameraZ);
        Camera::SetPosition({0.0f, 0.0f, cameraZ});
        ASSERT_TRUE(Graphics::BeginFrame());
        glEnable(GL_DEPTH_TEST);

        Shader& composite = *graphics_state::forwardDepthShader;
        composite.Use();
        const glm::vec3 p = Camera::PixelScaleFor(1920, 1080);
        composite.SetMat4("view", glm::scale(glm::mat4(1.0f), {2.0f / 1920, 2.0f / 1080, 1.0f}) *
                                      glm::scale(glm::mat4(1.0f), p));
        composite.SetMat4("model", glm::scale(glm::translate(glm::mat4(1.0f), {1.0f, 1.0f, 0.0f}),
                                              {498.0f, -280.0f, 1.0f}));
        composite.SetVec4("tint", glm::vec4(1.0f));
        composite.SetInt("in_texture", 0);
        composite.SetInt("in_depth", 1);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, colour);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, depth);
        glBindVertexArray(graphics_state::centredQuad.vao);
        glDrawArrays(GL_TRIANGLES, 0, 6);

        EXPECT_EQ(WindowPixel(400, 540), colours[0]);
        EXPECT_EQ(WindowPixel(1500, 540), (Rgba{0, 0, 0, 0}));  // nothing lit there

        // Over the lit texel: in front shows, behind stays hidden.
        DrawForwardSprite(whiteTexture, -100.0f, -0.1f);
        DrawForwardSprite(whiteTexture, -50.0f, 0.1f);
        // Over the empty half even a far sprite shows.
        DrawForwardSprite(whiteTexture, 100.0f, 0.9f);
        glDisable(GL_DEPTH_TEST);

        EXPECT_EQ(WindowPixel(960 - 400, 540), white);
        EXPECT_EQ(WindowPixel(960 - 200, 540), colours[0]);
        EXPECT_EQ(WindowPixel(960 + 400, 540), white);
        Graphics::EndFrame();
    }
}

}  // namespace
