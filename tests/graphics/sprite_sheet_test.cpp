// Sprite sheets on the CPU: frame areas, animation steps and placement.

#include <chrono>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "graphics/sprite_sheet.h"

namespace {

using sprite_sheet::Advance;
using sprite_sheet::Animation;
using sprite_sheet::AreaOfFrame;
using sprite_sheet::FrameArea;

TEST(SpriteSheet, FrameAreas) {
    struct Case {
        const char* name;
        uint32_t frame, rows, columns, width, height;
        FrameArea expected;
    };
    const Case cases[] = {
        // Frame 6 of 2 by 4: row 1, column 1, 16 by 16 pixels each.
        {"second row", 6, 2, 4, 64, 32, {0.25f, 0.5f, 0.5f, 0.0f}},
        {"first frame", 1, 2, 4, 64, 32, {0.0f, 0.25f, 1.0f, 0.5f}},
        // 10 pixels in 3 columns: 3 each, the last pixel never shown.
        {"remainder dropped", 3, 1, 3, 10, 4, {0.6f, 0.9f, 1.0f, 0.0f}},
        // Values a script or the editor can set: the whole sheet, no division by zero.
        {"rows and columns 0", 1, 0, 0, 64, 32, {0.0f, 1.0f, 1.0f, 0.0f}},
        {"frame 0", 0, 2, 4, 64, 32, {0.0f, 0.25f, 1.0f, 0.5f}},
    };
    for (const Case& c : cases) {
        const FrameArea area = AreaOfFrame(c.frame, c.rows, c.columns, c.width, c.height);
        EXPECT_FLOAT_EQ(area.u0, c.expected.u0) << c.name;
        EXPECT_FLOAT_EQ(area.u1, c.expected.u1) << c.name;
        EXPECT_FLOAT_EQ(area.vTop, c.expected.vTop) << c.name;
        EXPECT_FLOAT_EQ(area.vBottom, c.expected.vBottom) << c.name;
    }
    // The quad stands on its origin and shows the area upright.
    const QuadVertices quad = sprite_sheet::QuadOfArea({0.25f, 0.5f, 0.5f, 0.0f});
    EXPECT_EQ(quad[0], -0.5f);
    EXPECT_EQ(quad[1], 0.0f);
    EXPECT_EQ(quad[3], 0.25f);
    EXPECT_EQ(quad[4], 0.0f);
    EXPECT_EQ(quad[10], 0.5f);  // the top right corner
    EXPECT_EQ(quad[11], 1.0f);
    EXPECT_EQ(quad[13], 0.5f);
    EXPECT_EQ(quad[14], 0.5f);
}

TEST(SpriteSheet, AnimationSteps) {
    struct Case {
        const char* name;
        Animation animation;
        uint32_t frame;
        float elapsed, dt;
        bool stepped;
        uint32_t frameAfter;
        float elapsedAfter;
    };
    const Case cases[] = {
        {"looping wraps", {true, 0.1f, 4}, 4, 0.0f, 0.25f, true, 2, 0.05f},
        {"resting on the last frame", {false, 0.1f, 4}, 4, 0.0f, 0.25f, false, 4, 0.0f},
        {"one step past the end wraps", {false, 0.1f, 4}, 3, 0.0f, 0.2f, true, 1, 0.0f},
        {"below a frame time", {true, 0.1f, 4}, 2, 0.0f, 0.05f, false, 2, 0.05f},
        {"frame time too small", {true, 0.00005f, 4}, 2, 0.0f, 1.0f, false, 2, 1.0f},
        {"a single frame", {true, 0.1f, 1}, 1, 0.0f, 5.0f, false, 1, 0.0f},
        {"a frame beyond the count", {true, 0.1f, 2}, 7, 0.0f, 0.1f, true, 2, 0.0f},
    };
    for (const Case& c : cases) {
        uint32_t frame = c.frame;
        float elapsed = c.elapsed;
        EXPECT_EQ(Advance(c.animation, frame, elapsed, c.dt), c.stepped) << c.name;
        EXPECT_EQ(frame, c.frameAfter) << c.name;
        EXPECT_NEAR(elapsed, c.elapsedAfter, 1e-6f) << c.name;
    }
}

TEST(SpriteSheet, AnyElapsedTimeEndsAtOnce) {
    const float huge[] = {1e30f, std::numeric_limits<float>::max(), 3e9f};
    const auto start = std::chrono::steady_clock::now();
    for (float dt : huge) {
        uint32_t frame = 1;
        float elapsed = 0.0f;
        EXPECT_TRUE(Advance({true, 0.001f, 5}, frame, elapsed, dt)) << dt;
        EXPECT_GE(frame, 1u) << dt;
        EXPECT_LE(frame, 5u) << dt;
        EXPECT_GE(elapsed, 0.0f) << dt;
        EXPECT_LE(elapsed, 0.001f) << dt;
    }
    // Subtracting one frame time at a time would take beyond any deadline.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    for (float dt : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        uint32_t frame = 3;
        float elapsed = 0.05f;
        EXPECT_FALSE(Advance({true, 0.1f, 5}, frame, elapsed, dt));
        EXPECT_EQ(frame, 3u);
        EXPECT_EQ(elapsed, 0.0f) << "starts the frame's time again";
    }
}

TEST(SpriteSheet, Placement) {
    struct Case {
        const char* name;
        sprite_sheet::Placement placement;
        glm::vec3 translation;
        glm::vec2 scale;
    };
    const glm::vec3 at(10.4f, 5.0f, 0.0f), snapped(10.0f, 5.0f, 0.0f);
    const Case cases[] = {
        {"odd width on a whole pixel and a half", {at, snapped, true, 15, 16, 1, 1, 0.0f, 0.0f}, {10.5f, 5.0f, 0.00005f},
         {15.0f, 16.0f}},
        {"even width", {{10.0f, 5.0f, 0.0f}, snapped, true, 16, 16, 1, 1, 0.0f, 0.0f}, {10.0f, 5.0f, 0.00005f},
         {16.0f, 16.0f}},
        {"not clamped", {at, snapped, false, 15, 16, 1, 1, 0.0f, 0.0f}, {10.4f, 5.0f, 0.00005f}, {15.0f, 16.0f}},
        {"y offset sorts lower", {at, snapped, true, 16, 16, 1, 1, 5.0f, 0.0f}, {10.0f, 5.0f, 0.0001f}, {16.0f, 16.0f}},
        {"larger z nearer", {{0.0f, 0.0f, 2.0f}, {0.0f, 0.0f, 2.0f}, true, 16, 16, 1, 1, 0.0f, 3.0f},
         {0.0f, 0.0f, -2.00003f}, {16.0f, 16.0f}},
        {"one frame of a sheet", {at, snapped, true, 64, 32, 2, 4, 0.0f, 0.0f}, {10.0f, 5.0f, 0.00005f},
         {16.0f, 16.0f}},
        {"rows and columns 0", {at, snapped, true, 64, 32, 0, 0, 0.0f, 0.0f}, {10.0f, 5.0f, 0.00005f},
         {64.0f, 32.0f}},
    };
    for (const Case& c : cases) {
        const glm::mat4 m = sprite_sheet::ModelMatrix(c.placement);
        EXPECT_FLOAT_EQ(m[3][0], c.translation.x) << c.name;
        EXPECT_FLOAT_EQ(m[3][1], c.translation.y) << c.name;
        EXPECT_NEAR(m[3][2], c.translation.z, 1e-9f) << c.name;
        EXPECT_FLOAT_EQ(m[0][0], c.scale.x) << c.name;
        EXPECT_FLOAT_EQ(m[1][1], c.scale.y) << c.name;
    }
}

}  // namespace
