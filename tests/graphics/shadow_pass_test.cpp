// The shadow pass on a real context: which lights' bits sBuffer 0 holds, and
// which side of a caster the lit pass darkens.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tests/graphics/lit_frame_fixture.h"

namespace {

using ShadowPass = LitFrameTest;

TEST_F(ShadowPass, SBufferZeroEndsWithOneBitPerShadowingLight) {
    // Lights to the left of a caster at the origin: the texels behind it are
    // in every light's shadow, those before it and beside it in none.
    const struct {
        int lights;
        unsigned behind;
    } cases[] = {{0, 0u}, {1, 0x1u}, {2, 0x3u}, {3, 0x7u}, {33, 0xFFFFFFFFu}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lights);
        engine::DestroyAllEntities();
        AddCaster({0.0f, 0.0f}, 20.0f, 20.0f);
        for (int i = 0; i < c.lights; ++i) AddPointLight({.position = {-100.0f, 0.25f * static_cast<float>(i - 16)}});
        DrawFrame();
        EXPECT_EQ(ShadowBits(60.0f, 0.0f), c.behind);
        EXPECT_EQ(ShadowBits(200.0f, 1.0f), c.behind);
        EXPECT_EQ(ShadowBits(-150.0f, 0.0f), 0u);
        EXPECT_EQ(ShadowBits(60.0f, 60.0f), 0u);
        EXPECT_EQ(Graphics::GetPointLightCount(), c.lights);
        EXPECT_EQ(Graphics::GetShadowCasterCount(), 1);
        Graphics::EndFrame();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShadowPass, ACasterBetweenALightAndASpriteDarkensOnlyTheShadowedPart) {
    Picture("tall", 20, 200, [](unsigned, unsigned) { return Rgba{255, 255, 255, 255}; });
    AddSprite({50.0f, -100.0f, 0.0f}, "tall");  // x 40 to 60, y -100 to 100
    AddPointLight({.position = {-150.0f, 0.0f}, .attenuation = {1.0f, 0.0f, 0.0f}});
    AddCaster({-100.0f, 0.0f}, 20.0f, 20.0f);
    global_ambient_intensity = 0.25f;
    DrawFrame();
    // Seen from the light the caster spans asin(10 / 50) either side, which at
    // x 50 is about 41 units above and below the axis.
    const struct {
        float y;
        bool shadowed;
    } texels[] = {{0.5f, true}, {30.5f, true}, {-30.5f, true}, {55.5f, false}, {-55.5f, false}, {90.5f, false}};
    for (const auto& t : texels) {
        SCOPED_TRACE(t.y);
        const float expected = t.shadowed ? 0.25f : 1.25f;
        const glm::vec3 colour = LitColour(50.5f, t.y);
        EXPECT_NEAR(colour.r, expected, 0.002f);
        EXPECT_NEAR(colour.b, expected, 0.002f);
    }
    Graphics::EndFrame();
}

}  // namespace

namespace {

TEST_F(ShadowPass, ShadowsFollowWhateverMovedSinceTheLastFrame) {
    const engine::entity_handle caster = AddCaster({0.0f, 0.0f}, 20.0f, 20.0f);
    const engine::entity_handle light = AddPointLight({.position = {-100.0f, 0.0f}});
    AddPointLight({.position = {0.0f, -100.0f}});  // stays: its shadow lies above the caster
    const struct {
        const char* change;
        std::function<void()> apply;
        glm::vec2 shadowed, lit;
    } steps[] = {
        {"nothing yet", [] {}, {60.0f, 0.0f}, {-60.0f, 0.0f}},
        {"nothing", [] {}, {60.0f, 0.0f}, {-60.0f, 0.0f}},
        {"the light", [&] { light.SetPosition(100.0f, 0.0f, 0.0f); }, {-60.0f, 0.0f}, {60.0f, 0.0f}},
        {"the caster", [&] { caster.SetPosition(0.0f, 40.0f, 0.0f); }, {-60.0f, 55.0f}, {-60.0f, 0.0f}},
        {"the caster's size", [&] { caster.GetBaseEntity().Get<ShadowCaster>()->height = 60.0f; }, {-60.0f, 30.0f},
         {-60.0f, 5.0f}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.change);
        step.apply();
        DrawFrame();
        EXPECT_EQ(ShadowBits(step.shadowed.x, step.shadowed.y) & 1u, 1u);
        EXPECT_EQ(ShadowBits(step.lit.x, step.lit.y) & 1u, 0u);
        EXPECT_EQ(ShadowBits(0.0f, 60.0f) & 2u, 2u);  // the light that stays keeps its shadow
        Graphics::EndFrame();
    }
}

}  // namespace
