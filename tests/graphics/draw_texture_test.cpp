#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>

#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "tests/graphics/graphics_fixture.h"
#include "tests/graphics/png_writer.h"

namespace {

using Rgba = std::array<unsigned char, 4>;

// Three by two texels, top row first as in the picture file.
const std::vector<Rgba> kTexels = {{255, 0, 0, 255},   {0, 255, 0, 255},   {0, 0, 255, 255},
                                   {0, 255, 255, 255}, {255, 0, 255, 255}, {255, 255, 0, 255}};

unsigned LoadPicture(const testing_support::TempDir& dir) {
    std::vector<unsigned char> rgba;
    for (const Rgba& texel : kTexels) rgba.insert(rgba.end(), texel.begin(), texel.end());
    dir.Write("textures/tiles.png", EncodePng(3, 2, rgba));
    unsigned width = 0, height = 0;
    return Graphics::LoadTexture("tiles", width, height);
}

// The colour at a framebuffer pixel given in screen coordinates (y down).
Rgba ScreenPixel(float x, float y) {
    int width = 0, height = 0;
    Graphics::GetFramebufferSize(width, height);
    Rgba pixel{};
    glReadPixels(static_cast<int>(std::floor(x)), height - 1 - static_cast<int>(std::floor(y)), 1, 1, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

// Checks the 3 by 2 texture drawn centred on `centre` against the camera's
// prediction: every texel covers a block of whole pixels, nothing spills out.
void ExpectDrawnAt(glm::vec3 centre, float pixelsPerUnit) {
    const glm::vec3 topLeft = Camera::WorldToScreen(centre.x - 1.5f, centre.y + 1.0f, 0.0f);
    const glm::vec3 bottomRight = Camera::WorldToScreen(centre.x + 1.5f, centre.y - 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(bottomRight.x - topLeft.x, 3 * pixelsPerUnit);
    EXPECT_FLOAT_EQ(bottomRight.y - topLeft.y, 2 * pixelsPerUnit);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const float left = topLeft.x + column * pixelsPerUnit, top = topLeft.y + row * pixelsPerUnit;
            const Rgba expected = kTexels[static_cast<size_t>(row * 3 + column)];
            // The texel's first and last pixel in each direction.
            EXPECT_EQ(ScreenPixel(left, top), expected) << row << "," << column;
            EXPECT_EQ(ScreenPixel(left + pixelsPerUnit - 1, top + pixelsPerUnit - 1), expected) << row << "," << column;
        }
    }
    const Rgba background{0, 0, 0, 0};
    EXPECT_EQ(ScreenPixel(topLeft.x - 1, topLeft.y), background);
    EXPECT_EQ(ScreenPixel(topLeft.x, topLeft.y - 1), background);
    EXPECT_EQ(ScreenPixel(bottomRight.x, bottomRight.y - 1), background);
    EXPECT_EQ(ScreenPixel(bottomRight.x - 1, bottomRight.y), background);
}

using DrawTexture = GraphicsTest;

TEST_F(DrawTexture, LandsWhereTheCameraPutsItAtPixelScaleFour) {
    const unsigned texture = LoadPicture(dir);
    Camera::SetPosition({2.0f, 1.0f, 0.0f});
    ASSERT_TRUE(Graphics::BeginFrame());
    EXPECT_EQ(Camera::PixelScale(), 4.0);
    Graphics::DrawTexture(texture, 3, 2, {10.0f, 5.0f, 0.0f}, glm::vec4(1.0f));
    ExpectDrawnAt({10.0f, 5.0f, 0.0f}, 4.0f);
}

TEST_F(DrawTexture, ZoomTwoDoublesEveryTexel) {
    const unsigned texture = LoadPicture(dir);
    Camera::SetScale(2.0f);
    ASSERT_TRUE(Graphics::BeginFrame());
    EXPECT_EQ(Camera::PixelScale(), 8.0);
    Graphics::DrawTexture(texture, 3, 2, {-20.0f, 7.0f, 0.0f}, glm::vec4(1.0f));
    ExpectDrawnAt({-20.0f, 7.0f, 0.0f}, 8.0f);
}

TEST_F(DrawTexture, TintMultipliesThePicture) {
    const unsigned texture = LoadPicture(dir);
    ASSERT_TRUE(Graphics::BeginFrame());
    Graphics::DrawTexture(texture, 3, 2, {0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 1.0f, 1.0f});
    const glm::vec3 topLeft = Camera::WorldToScreen(-1.5f, 1.0f, 0.0f);
    EXPECT_EQ(ScreenPixel(topLeft.x, topLeft.y), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(ScreenPixel(topLeft.x + 4, topLeft.y), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(ScreenPixel(topLeft.x + 4, topLeft.y + 4), (Rgba{255, 0, 255, 255}));
}

TEST_F(DrawTexture, TheSpriteQuadStandsOnItsPosition) {
    const unsigned texture = LoadPicture(dir);
    ASSERT_TRUE(Graphics::BeginFrame());
    Shader& shader = *graphics_state::forwardShader;
    shader.Use();
    shader.SetMat4("view", Camera::ViewMatrix(true, -1, -1));
    shader.SetMat4("model", glm::scale(glm::translate(glm::mat4(1.0f), {5.0f, 3.0f, 0.0f}), {3.0f, 2.0f, 1.0f}));
    shader.SetVec4("tint", glm::vec4(1.0f));
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindVertexArray(graphics_state::spriteQuad.vao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    // Bottom-centred: the same picture as a centred draw one unit higher.
    ExpectDrawnAt({5.0f, 4.0f, 0.0f}, 4.0f);
}

TEST_F(DrawTexture, LetterboxClipsToTheCentredBaseAspect) {
    Graphics::SetFullscreen(false);
    glfwSetWindowSize(Graphics::GetWindow(), 1280, 1024);
    glfwPollEvents();
    ASSERT_TRUE(Graphics::BeginFrame());
    int width = 0, height = 0;
    Graphics::GetFramebufferSize(width, height);
    ASSERT_EQ(width, 1280);
    ASSERT_EQ(height, 1024);
    EXPECT_EQ(Camera::GetLetterboxSize(), glm::vec2(0.0f));

    Camera::BeginLetterbox();
    EXPECT_EQ(Camera::GetLetterboxSize(), glm::vec2(1280.0f, 720.0f));
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    Camera::EndLetterbox();
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));

    const Rgba white{255, 255, 255, 255}, black{0, 0, 0, 0};
    EXPECT_EQ(ScreenPixel(640, 151), black);
    EXPECT_EQ(ScreenPixel(0, 152), white);
    EXPECT_EQ(ScreenPixel(1279, 871), white);
    EXPECT_EQ(ScreenPixel(640, 872), black);
}

}  // namespace
