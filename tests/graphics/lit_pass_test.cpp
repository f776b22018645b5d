// What the lit pass makes of a flat white sprite under each kind of light,
// against the lighting formulas worked out here; and a tile under the same
// light takes the same colour.
#include <gtest/gtest.h>

#include <cmath>

#include <glm/geometric.hpp>

#include "tests/graphics/lit_frame_fixture.h"

namespace {

using LitPass = LitFrameTest;

// The sprite stands on the origin, 16 wide and 16 high; this texel's centre
// is at (0.5, 8.5).
const glm::vec2 kTexel(0.5f, 8.5f);

void ExpectColour(glm::vec3 actual, glm::vec3 expected) {
    // The lit buffer holds half floats: about three decimal digits.
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 0.002f * std::max(1.0f, expected[i])) << i;
}

TEST_F(LitPass, AWhiteSpriteTakesTheColourOfItsLights) {
    AddSprite({0.0f, 0.0f, 0.0f}, "white");
    global_ambient = {0.5f, 0.25f, 1.0f};
    global_ambient_intensity = 0.8f;
    DrawFrame();
    ExpectColour(LitColour(kTexel.x, kTexel.y), {0.4f, 0.2f, 0.8f});
    Graphics::EndFrame();

    // One point light 100 units above: attenuation over hundreds of units.
    global_ambient_intensity = 0.0f;
    const Light light{.position = {0.0f, 108.5f},
                      .color = {1.0f, 0.5f, 0.25f},
                      .ambient = 0.1f,
                      .diffuse = 0.9f,
                      .attenuation = {0.5f, 0.3f, 1.0f}};
    const engine::entity_handle lamp = AddPointLight(light);
    DrawFrame();
    const float d = glm::distance(kTexel, light.position) / 100.0f;
    const float falloff = light.attenuation.x + light.attenuation.y * d + light.attenuation.z * d * d;
    ExpectColour(LitColour(kTexel.x, kTexel.y), light.color * (light.ambient + light.diffuse) / falloff);
    Graphics::EndFrame();

    // A moon light instead: the level's colour, fading past the inner radius.
    lamp.RemoveComponent("PointLight");
    moonlight_color = {0.2f, 0.4f, 1.0f};
    moonlight_fade_dist = 100.0f;
    moonlight_fade_exponent = 2.0f;
    Json::Value moon;
    moon["offset"]["x"] = 0.0;
    moon["offset"]["y"] = 0.0;
    moon["intensity"] = 0.7;
    moon["inner_radius"] = 20.0;
    Entity({0.0f, 58.5f, 0.0f}).AddComponent("MoonLight", moon);
    DrawFrame();
    const float fade = 1.0f - (glm::distance(kTexel, glm::vec2(0.0f, 58.5f)) - 20.0f) / 100.0f;
    ExpectColour(LitColour(kTexel.x, kTexel.y), moonlight_color * 0.7f * fade * fade);
    EXPECT_EQ(Graphics::GetMoonLightCount(), 1);
    EXPECT_EQ(Graphics::GetPointLightCount(), 0);
    Graphics::EndFrame();
}

TEST_F(LitPass, ASpriteAndATileUnderOneLightMatch) {
    // A 4 by 4 grid of 16-unit white tiles around the origin; the sprite
    // covers x -8 to 8, the tile cell left of it x -32 to -16. The light sits
    // above x -8, so texels at x 0.5 and -16.5 are equally far from it.
    MakeTileMap(16, 4, 4, {"white"}, "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 ");
    AddSprite({0.0f, 0.0f, 0.0f}, "white");
    AddPointLight({.position = {-8.0f, 60.0f}, .color = {1.0f, 0.8f, 0.6f}, .ambient = 0.2f});
    global_ambient_intensity = 0.1f;
    DrawFrame();
    const glm::vec3 sprite = LitColour(0.5f, 8.5f), tile = LitColour(-16.5f, 8.5f);
    EXPECT_GT(sprite.r, 0.2f);
    ExpectColour(tile, sprite);
    Graphics::EndFrame();
}

TEST_F(LitPass, FortyFiveOfEachKindOfLightReachTheShaderAndAllAreCounted) {
    for (int i = 0; i < 50; ++i) AddPointLight({.position = {static_cast<float>(i), 1.0f}});
    ASSERT_TRUE(Graphics::BeginFrame());  // the view's size
    Lights().CullToView();
    Shader& shader = Lights().spriteShader;
    shader.Use();
    Graphics::SetLightUniforms(shader);
    GLint program = 0, lights = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetUniformiv(program, shader.GetUniformLocation("num_pointlights"), &lights);
    EXPECT_EQ(lights, 45);
    EXPECT_EQ(Graphics::GetPointLightCount(), 50);
    glm::vec2 last(0.0f);
    glGetUniformfv(program, shader.GetUniformLocation("point_lights[44].pos"), &last.x);
    EXPECT_EQ(last, glm::vec2(44.0f, 1.0f));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    Graphics::EndFrame();
}

}  // namespace
