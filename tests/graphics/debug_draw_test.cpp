// Debug drawing through a recording vector back end: what reaches the back
// end, where, in which colour, and when nothing does.

#include <algorithm>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/events/events.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"
#include "graphics/device_state.h"
#include "tests/vector/recording_backend.h"
#include "vector/vector.h"

namespace {

using vector_testing::RecordedStroke;
using vector_testing::RecordingBackend;

struct Box {
    float left, top, right, bottom;
};

Box Bounds(const RecordedStroke& stroke) {
    Box box{1e9f, 1e9f, -1e9f, -1e9f};
    for (const auto& path : stroke.paths)
        for (const VDvertex& v : path.verts) {
            box.left = std::min(box.left, v.x);
            box.right = std::max(box.right, v.x);
            box.top = std::min(box.top, v.y);
            box.bottom = std::max(box.bottom, v.y);
        }
    return box;
}

// A 996 by 560 framebuffer: pixel scale 2, the world origin at (498, 280).
class DebugDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        params = backend.Params(false);  // no fringe: a stroke is exactly 1 pixel wide
        graphics_state::vectorContext = vdCreateInternal(&params);
        ASSERT_NE(graphics_state::vectorContext, nullptr);
        graphics_state::framebufferWidth = 996;
        graphics_state::framebufferHeight = 560;
        debugDraw = std::make_unique<DebugDraw>();
        backend.strokes.clear();
    }
    void TearDown() override {
        debugDraw.reset();
        vdDeleteInternal(graphics_state::vectorContext);
        graphics_state::vectorContext = nullptr;
    }

    // One frame whose "DebugDraw" runs draw.
    void FrameDrawing(const std::function<void()>& draw) {
        events::Connect<>("DebugDraw", "test", draw);
        DebugDraw::Frame();
        events::Disconnect("DebugDraw", "test");
    }

    RecordingBackend backend;
    VDparams params{};
    std::unique_ptr<DebugDraw> debugDraw;
};

TEST_F(DebugDrawTest, ShapesLandOnTheirScreenPointsAtThePixelScale) {
    Camera::SetPosition(glm::vec3(0.0f));
    struct Case {
        const char* name;
        std::function<void()> draw;
        Box expected;  // the stroked outline: half a pixel beyond the path
                       // (curves a little more, ends of a line too)
    };
    const Case cases[] = {
        // 10 by 4 at scale 2: a 20 by 8 rectangle centred on (498, 280).
        {"rect", [] { DebugDraw::Rect(glm::vec3(0.0f), 10.0f, 4.0f); }, {487.5f, 275.5f, 508.5f, 284.5f}},
        {"rect xy", [] { DebugDraw::RectXY(5.0f, 1.0f, 2.0f, 2.0f); }, {505.5f, 275.5f, 510.5f, 280.5f}},
        // World y grows upwards, screen rows downwards.
        {"line", [] { DebugDraw::LineXY(0.0f, 0.0f, 10.0f, 0.0f); }, {497.5f, 279.5f, 518.5f, 280.5f}},
        {"circle", [] { DebugDraw::CircleXY(0.0f, 10.0f, 5.0f); }, {487.5f, 249.5f, 508.5f, 270.5f}},
        {"ellipse", [] { DebugDraw::EllipseXY(0.0f, 0.0f, 4.0f, 2.0f); }, {489.5f, 275.5f, 506.5f, 284.5f}},
    };
    for (const Case& c : cases) {
        backend.strokes.clear();
        FrameDrawing(c.draw);
        ASSERT_EQ(backend.strokes.size(), 1u) << c.name;
        const Box box = Bounds(backend.strokes[0]);
        EXPECT_NEAR(box.left, c.expected.left, 0.05f) << c.name;
        EXPECT_NEAR(box.top, c.expected.top, 0.05f) << c.name;
        EXPECT_NEAR(box.right, c.expected.right, 0.05f) << c.name;
        EXPECT_NEAR(box.bottom, c.expected.bottom, 0.05f) << c.name;
        EXPECT_EQ(backend.strokes[0].strokeWidth, 1.0f) << c.name;
    }
}

TEST_F(DebugDrawTest, AQuadIsFourLines) {
    FrameDrawing([] { DebugDraw::QuadXY(0, 0, 1, 0, 1, 1, 0, 1); });
    EXPECT_EQ(backend.strokes.size(), 4u);
}

TEST_F(DebugDrawTest, ShapesDrawOnlyWhileTheEventIsRaised) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        std::function<void()> draw;
    };
    const Case nothing[] = {
        {"nan line", [=] { DebugDraw::LineXY(nan, 0, 1, 1); }},
        {"infinite circle", [=] { DebugDraw::CircleXY(0, 0, inf); }},
        {"nan rect", [=] { DebugDraw::Rect(glm::vec3(0, nan, 0), 1, 1); }},
        {"nan ellipse", [=] { DebugDraw::EllipseXY(0, 0, 1, nan); }},
    };
    for (const Case& c : nothing) {
        backend.strokes.clear();
        FrameDrawing(c.draw);
        EXPECT_TRUE(backend.strokes.empty()) << c.name;
    }

    // After a frame, a shape asked for from anywhere else is dropped.
    DebugDraw::LineXY(0, 0, 10, 10);
    backend.strokes.clear();
    FrameDrawing([] {});
    EXPECT_TRUE(backend.strokes.empty());
}

TEST_F(DebugDrawTest, TheColourStaysUntilSetAgain) {
    EXPECT_EQ(DebugDraw::GetColor(), glm::vec4(0, 0, 0, 1));
    FrameDrawing([] {
        DebugDraw::SetColor(1.0f, 0.5f, 0.0f, 1.0f);
        DebugDraw::CircleXY(0, 0, 1);
    });
    FrameDrawing([] { DebugDraw::CircleXY(0, 0, 1); });
    ASSERT_EQ(backend.strokes.size(), 2u);
    for (const RecordedStroke& stroke : backend.strokes) {
        EXPECT_EQ(stroke.paint.innerColor.r, 1.0f);
        EXPECT_EQ(stroke.paint.innerColor.g, 0.5f);
        EXPECT_EQ(stroke.paint.innerColor.b, 0.0f);
    }
    EXPECT_EQ(DebugDraw::GetColor(), glm::vec4(1.0f, 0.5f, 0.0f, 1.0f));
}

TEST_F(DebugDrawTest, WithoutAVectorContextNothingIsRaised) {
    // Once the instance is gone (as when the context could not be made) no
    // frame is opened and no listener runs.
    debugDraw.reset();
    int raised = 0;
    events::Connect<>("DebugDraw", "count", [&] { ++raised; });
    DebugDraw::Frame();
    DebugDraw::CircleXY(0, 0, 1);
    EXPECT_EQ(raised, 0);
    EXPECT_TRUE(backend.strokes.empty());
}

}  // namespace
