// The lists a frame draws from and the lit pass's order, on the CPU: lights,
// casters and entities, no drawing.

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <sstream>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/lighting/level_lighting.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/draw_order.h"
#include "graphics/graphics.h"
#include "graphics/light_culling.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"

namespace {

using light_culling::Lists;

// The screen's corner at (-249, 140) from the camera: r2 = 81601.
const light_culling::View kView{{0.0f, 0.0f, 0.0f}, {-249.0f, 140.0f, 0.0f}};

class LightCulling : public ::testing::Test {
protected:
    void SetUp() override {
        components::Register<MoonLight>("MoonLight");
        components::Register<PointLight>("PointLight");
        components::Register<ShadowCaster>("ShadowCaster");
        events::Register<engine::entity_handle>("EditorSelectedEntity");
        events::Register<>("DebugDraw");
    }
    void TearDown() override { engine::DestroyAllEntities(); }

    static engine::entity_handle At(float x, float y, const char* type, const std::string& json) {
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(x, y, 0.0f);
        std::istringstream in(json);
        Json::Value value;
        in >> value;
        entity.AddComponent(type, value);
        return entity;
    }

    static Lists Culled(float moonFade = 0.0f) {
        Lists lists;
        light_culling::Cull(kView, engine::GetAllEntities(), moonFade, lists);
        return lists;
    }
};

TEST_F(LightCulling, LightsReachTheViewOrTheBandBelowIt) {
    struct Case {
        const char* name;
        float x, y;
        const char* type;
        const char* json;
        bool visible;
    };
    const Case cases[] = {
        {"800 below", 0, -800, "PointLight", R"({"max_radius": 10})", true},  // dy = 800 - 10 - 700 = 90
        {"800 above", 0, 800, "PointLight", R"({"max_radius": 10})", false},  // dy = 790
        {"below by its entity, above by its offset", 0, -800, "PointLight",
         R"({"max_radius": 10, "offset": {"x": 0, "y": 1600}})", true},
        {"beside the band", 600, -800, "PointLight", R"({"max_radius": 10})", false},
        // dx = 249 and dy = 140 give r2 itself: not inside.
        {"exactly on the circle", 249, 140, "PointLight", R"({"max_radius": 0})", false},
        {"radius 0 inside", 10, 10, "PointLight", R"({"max_radius": 0})", true},
        {"moon light 800 below", 0, -800, "MoonLight", R"({"inner_radius": 1})", true},
        {"moon light far beside", 2000, 0, "MoonLight", R"({"inner_radius": 1})", false},
    };
    for (const Case& c : cases) {
        At(c.x, c.y, c.type, c.json);
        const Lists lists = Culled();
        EXPECT_EQ(lists.pointLights.size() + lists.moonLights.size(), c.visible ? 1u : 0u) << c.name;
        engine::DestroyAllEntities();
    }

    // The level's fade distance widens every moon light.
    At(2000, 0, "MoonLight", R"({"inner_radius": 1})");
    EXPECT_EQ(Culled(1800.0f).moonLights.size(), 1u);
}

TEST_F(LightCulling, CastersOutsideTheViewNeedALightBehindThem) {
    // In view, though made last: it comes first.
    const auto outside = At(300, 0, "ShadowCaster", R"({"width": 1, "height": 1})");
    At(0, 0, "ShadowCaster", R"({"width": 1, "height": 1})");
    At(-2000, 0, "ShadowCaster", R"({"width": 1, "height": 1})");  // beyond any shadow

    Lists lists = Culled();
    ASSERT_EQ(lists.shadowCasters.size(), 1u) << "no point light: nothing outside";

    // A radius-0 light adds no reach.
    At(0, 0, "PointLight", R"({"max_radius": 0})");
    EXPECT_EQ(Culled().shadowCasters.size(), 1u);

    // Reach 300 (2 R^2 = 180000 > 89401), but the caster lies beyond the
    // light as seen from the camera: its shadow falls away from the view.
    const auto light = At(100, 0, "PointLight", R"({"max_radius": 300})");
    EXPECT_EQ(Culled().shadowCasters.size(), 1u);

    // With the light beyond the caster, its shadow falls into the view.
    light.SetPosition(400, 0, 0);
    lists = Culled();
    ASSERT_EQ(lists.shadowCasters.size(), 2u);
    EXPECT_EQ(lists.shadowCasters[1], outside.GetBaseEntity().Get<ShadowCaster>());
}

TEST_F(LightCulling, TheCurrentViewStoresTheCasterCount) {
    graphics_state::framebufferWidth = 498;
    graphics_state::framebufferHeight = 280;
    Camera::SetPosition(glm::vec3(1000.0f, 0.0f, 0.0f));
    Lists lists;
    light_culling::CullCurrentView(lists);
    EXPECT_EQ(Graphics::GetShadowCasterCount(), 0);
    EXPECT_TRUE(lists.pointLights.empty());

    At(1000, 50, "ShadowCaster", "{}");
    At(1100, 0, "ShadowCaster", "{}");
    At(0, 0, "ShadowCaster", "{}");  // out of this camera's view
    light_culling::CullCurrentView(lists);
    EXPECT_EQ(Graphics::GetShadowCasterCount(), 2);
}

TEST_F(LightCulling, DrawOrderTiesAndSorting) {
    struct Case {
        const char* name;
        glm::vec3 a;
        float aYOffset;
        glm::vec3 b;
        float bYOffset;
        bool aFirst;
    };
    const Case cases[] = {
        {"larger z first", {0, 0, 1}, 0, {0, 0, 0}, 0, true},
        {"z within 0.0001, equal y: smaller x", {5, 0, 0.00005f}, 0, {1, 0, 0}, 0, false},
        {"z within 0.0001, smaller y first", {5, 0, 0.00005f}, 0, {1, 3, 0}, 0, true},
        {"y_offset takes part", {5, 0, 0}, 4, {1, 3, 0}, 0, false},
        {"y within 0.0001: x decides", {5, 1.00005f, 0}, 0, {1, 1, 0}, 0, false},
    };
    for (const Case& c : cases) EXPECT_EQ(DrawsBefore(c.a, c.aYOffset, c.b, c.bYOffset), c.aFirst) << c.name;

    // The same through entities (no sprite: y_offset 0).
    const auto left = engine::CreateEntity(), right = engine::CreateEntity();
    left.SetPosition(1, 2, 0.00002f);
    right.SetPosition(3, 2, 0);
    EXPECT_TRUE(CompareDrawOrder(left, right));
    EXPECT_FALSE(CompareDrawOrder(right, left));

    // Near-equal values and NaN break the rules a library sort relies on;
    // this sort still returns every item once, and orders clean data.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> near(0.0f, 0.0003f);
    std::vector<glm::vec3> points(2000);
    for (auto& p : points) p = {near(random), near(random), near(random)};
    for (size_t i = 0; i < points.size(); i += 17) points[i].z = std::numeric_limits<float>::quiet_NaN();
    std::vector<size_t> order(points.size());
    std::iota(order.begin(), order.end(), 0);
    StableSort(order, [&](size_t a, size_t b) { return DrawsBefore(points[a], 0, points[b], 0); });
    std::vector<size_t> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size(); ++i) ASSERT_EQ(sorted[i], i);

    std::vector<int> values = {5, 1, 4, 1, 3, 9, 2, 6};
    std::vector<std::pair<int, int>> tagged;
    for (size_t i = 0; i < values.size(); ++i) tagged.push_back({values[i], static_cast<int>(i)});
    StableSort(tagged, [](auto a, auto b) { return a.first < b.first; });
    EXPECT_EQ(tagged, (std::vector<std::pair<int, int>>{{1, 1}, {1, 3}, {2, 6}, {3, 4}, {4, 2}, {5, 0}, {6, 7}, {9, 5}}));
}

}  // namespace
