// Collider outlines through a recording vector back end: a 996 by 560
// framebuffer, pixel scale 2, the world origin at (498, 280), y down.
#include <algorithm>

#include "core/entity/find_component.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "tests/physics/physics_world.h"
#include "tests/vector/recording_backend.h"
#include "vector/vector.h"

namespace {

struct Stroke {
    VDcolor colour;
    float left, top, right, bottom;
};

// Made before the world's debug drawing, which takes the context up.
struct RecordingContext {
    RecordingContext() {
        params = backend.Params(false);  // no fringe: strokes are 1 pixel wide
        graphics_state::vectorContext = vdCreateInternal(&params);
        graphics_state::framebufferWidth = 996;
        graphics_state::framebufferHeight = 560;
    }
    ~RecordingContext() {
        vdDeleteInternal(graphics_state::vectorContext);
        graphics_state::vectorContext = nullptr;
    }

    vector_testing::RecordingBackend backend;
    VDparams params{};
};

class Outlines : protected RecordingContext, public PhysicsWorld {
protected:

    std::vector<Stroke> Frame(const std::function<void()>& draw) {
        events::Connect<>("DebugDraw", "test", draw);
        backend.strokes.clear();
        DebugDraw::Frame();
        events::Disconnect("DebugDraw", "test");
        std::vector<Stroke> strokes;
        for (const auto& recorded : backend.strokes) {
            Stroke stroke{recorded.paint.innerColor, 1e9f, 1e9f, -1e9f, -1e9f};
            for (const auto& path : recorded.paths)
                for (const VDvertex& v : path.verts) {
                    stroke.left = std::min(stroke.left, v.x), stroke.right = std::max(stroke.right, v.x);
                    stroke.top = std::min(stroke.top, v.y), stroke.bottom = std::max(stroke.bottom, v.y);
                }
            strokes.push_back(stroke);
        }
        return strokes;
    }
};

bool Colour(const Stroke& stroke, float r, float g, float b) {
    return stroke.colour.r == r && stroke.colour.g == g && stroke.colour.b == b;
}

TEST_F(Outlines, ABoxIsARedQuadWithItsHeightInGreenAndItsWidthInBlue) {
    Camera::SetPosition({0, 0, 0});
    const auto entity = Box(10, 0, 10, 4);
    const auto strokes = Frame([&] { engine::FindComponent<BoxCollider>(entity)->DrawDebug(); });
    ASSERT_EQ(strokes.size(), 6u);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Colour(strokes[i], 1.0f, 0.1f, 0.1f)) << i;
    EXPECT_NEAR(std::min(strokes[1].left, strokes[3].left), 508.0f, 1.0f);   // x from 5
    EXPECT_NEAR(std::max(strokes[1].right, strokes[3].right), 528.0f, 1.0f); // to 15
    EXPECT_TRUE(Colour(strokes[4], 0.1f, 1.0f, 0.1f));
    EXPECT_NEAR(strokes[4].top, 272.0f, 1.0f);  // up by the height, 4
    EXPECT_TRUE(Colour(strokes[5], 0.1f, 0.1f, 1.0f));
    EXPECT_NEAR(strokes[5].right, 538.0f, 1.0f);  // right by the width, 10
}

TEST_F(Outlines, ACircleIsARedCircleAndTheStepDrawsNoneOfItsWorkingOutsideTheEvent) {
    Camera::SetPosition({0, 0, 0});
    const auto entity = Circle(-10, 0, 10);
    const auto strokes = Frame([&] { engine::FindComponent<CircleCollider>(entity)->DrawDebug(); });
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_TRUE(Colour(strokes[0], 1.0f, 0.0f, 0.0f));
    EXPECT_NEAR((strokes[0].left + strokes[0].right) / 2, 478.0f, 0.5f);
    EXPECT_NEAR(strokes[0].right - strokes[0].left, 41.0f, 0.5f);  // 2 x 10 x 2, and the stroke

    // Outside the editor the step's own listener draws nothing either.
    Box(0, 0, 30, 30);
    DebugDraw::SetColor(0.2f, 0.3f, 0.4f, 1.0f);
    backend.strokes.clear();
    Step();
    EXPECT_TRUE(Frame([] {}).empty());
    EXPECT_EQ(DebugDraw::GetColor(), glm::vec4(0.2f, 0.3f, 0.4f, 1.0f));
}

}  // namespace
