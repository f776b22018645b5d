// The built-in component types and debug drawing in the real engine.

#include <filesystem>

#include <gtest/gtest.h>

#include "core/components/registry.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/same_json.h"

namespace {

using BuiltInTypes = EngineTest;

TEST_F(BuiltInTypes, SpritesLightsAndCastersRoundTripThroughALevel) {
    std::filesystem::create_directories("textures");
    std::filesystem::copy_file(std::string(QM_SOURCE_DIR) + "/data/textures/debug.png", "textures/hero.png");
    const char* entities = R"([
        {"name": "lamp", "pos": {"x": 4.5, "y": -2, "z": 1}, "components": [
            {"__component_name": "Sprite", "texture": "hero", "environmental": false, "clamped": true,
             "y_offset": 0.1, "looping": false, "tint": {"x": 0.2, "y": 0.4, "z": 0.6, "w": 0.8},
             "frame_time": 0.15, "frames": 6, "rows": 2, "columns": 3},
            {"__component_name": "MoonLight", "offset": {"x": 1.5, "y": 2}, "intensity": 0.7, "inner_radius": 30},
            {"__component_name": "PointLight", "offset": {"x": -3, "y": 0.25}, "max_radius": 120,
             "color": {"x": 1, "y": 0.5, "z": 0.1}, "ambient_intensity": 0.3, "diffuse_intensity": 2,
             "attenuation": {"x": 0.2, "y": 0.01, "z": 1}},
            {"__component_name": "ShadowCaster", "offset": {"x": 0, "y": -4}, "width": 14, "height": 6}]},
        {"name": "ghost", "pos": {"x": 0, "y": 0, "z": 0}, "components": [
            {"__component_name": "Sprite", "texture": "picture_not_drawn_yet", "environmental": true,
             "clamped": false, "y_offset": -7, "looping": true, "tint": {"x": 1, "y": 1, "z": 1, "w": 1},
             "frame_time": 1, "frames": 1, "rows": 1, "columns": 1}]}])";
    folder.WriteLevel("room", std::string(R"({"entities": )") + entities + "}");
    LoadLevel("room");
    SaveLevel("room", false);
    const std::string first = folder.ReadLevel("room");
    EXPECT_TRUE(testing_support::SameJson(Parse(first)["entities"], Parse(entities))) << first;

    // A second round writes the very same text.
    LoadLevel("room");
    SaveLevel("room", false);
    EXPECT_EQ(folder.ReadLevel("room"), first);
}

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
