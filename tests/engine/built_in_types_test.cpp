// The built-in component types and debug drawing in the real engine.

#include <gtest/gtest.h>

#include "core/components/registry.h"
#include "core/events/events.h"
#include "tests/engine/engine_fixture.h"

namespace {

using BuiltInTypes = EngineTest;

TEST_F(BuiltInTypes, TheTenNamesHoldTheirIds) {
    const char* names[] = {"Sprite",         "MoonLight",   "PointLight",   "ShadowCaster", "RigidBody",
                           "CircleCollider", "BoxCollider", "SoundEmitter", "SoundSpace",   "Ray"};
    for (uint32_t id = 1; id <= 10; ++id) {
        EXPECT_EQ(components::GetID(names[id - 1]), id);
        EXPECT_EQ(components::GetName(id), names[id - 1]);
    }
    EXPECT_EQ(components::GetNameMap().size(), 10u);
}

TEST_F(BuiltInTypes, DebugDrawIsRaisedOncePerFrameExceptWhileMinimised) {
    std::vector<int> raisedIn;
    int current = 0;
    events::Connect<>("DebugDraw", "count", [&] { raisedIn.push_back(current); });
    events::Connect<float>("LogicUpdate", "minimise", [&](float) {
        if (current == 2) g_engine->minimized = true;
    });
    RunUntil([&](int frame) {
        current = frame;
        return frame == 2;
    });
    EXPECT_EQ(raisedIn, (std::vector<int>{1}));
}

}  // namespace
