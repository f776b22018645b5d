// Light, caster, collider and body exports on real entities: what they
// change, what they report, and what an entity without the component or a
// stale entity gets.

#include <cmath>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "core/engine/register_all.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/lighting/level_lighting.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/rigid_body.h"
#include "scripting/export_list.h"
#include "tests/scripting/logged_lines.h"

using engine::entity_handle;

namespace {

std::string Text(lb_vec2 v) {
    std::ostringstream out;
    out << "(" << v.x << ", " << v.y << ")";
    return out.str();
}

class ComponentExports : public ::testing::Test {
protected:
    void SetUp() override {
        components::RegisterAll();
        events::Register<entity_handle>("EditorSelectedEntity");
        events::Register<>("DebugDraw");
    }
    void TearDown() override { engine::DestroyAllEntities(); }

    static entity_handle With(std::initializer_list<const char*> types, glm::vec3 at = glm::vec3(0.0f)) {
        const entity_handle entity = engine::CreateEntity();
        entity.SetPosition(at.x, at.y, at.z);
        for (const char* type : types) entity.AddComponent(type, Json::Value());
        return entity;
    }
    template <typename T>
    static T& Component(entity_handle entity) {
        return *entity.GetBaseEntity().Get<T>();
    }
};

TEST_F(ComponentExports, LightsAndCastersTakeTheirFieldsAndStandAtTheEntityPlusTheirOffset) {
    const entity_handle e = With({"PointLight", "MoonLight", "ShadowCaster"}, {10.0f, 20.0f, 3.0f});
    const uint32_t i = e.index, id = e.id;
    const auto logged = LoggedBy([&] {
        lb_point_light_set_offset(i, id, 1.0f, 2.0f);
        lb_point_light_set_color(i, id, 0.25f, 0.5f, 0.75f);
        lb_point_light_set_ambient_intensity(i, id, 0.3f);
        lb_point_light_set_diffuse_intensity(i, id, 2.5f);
        lb_point_light_set_attenuation(i, id, 0.5f, 0.01f, 0.002f);
        lb_point_light_set_radius(i, id, -40.0f);  // stored as given
        lb_moon_light_set_offset(i, id, -3.0f, 4.0f);
        lb_moon_light_set_intensity(i, id, 0.5f);
        lb_moon_light_set_inner_radius(i, id, 7.0f);
        lb_shadow_caster_set_offset(i, id, 0.5f, -0.5f);
        lb_shadow_caster_set_width(i, id, 12.0f);
        lb_shadow_caster_set_height(i, id, 6.0f);
    });
    EXPECT_TRUE(logged.empty());

    const PointLight& point = Component<PointLight>(e);
    EXPECT_EQ(point.offset, glm::vec2(1.0f, 2.0f));
    EXPECT_EQ(point.color, glm::vec3(0.25f, 0.5f, 0.75f));
    EXPECT_EQ(point.ambient_intensity, 0.3f);
    EXPECT_EQ(point.diffuse_intensity, 2.5f);
    EXPECT_EQ(point.attenuation, glm::vec3(0.5f, 0.01f, 0.002f));
    EXPECT_EQ(lb_point_light_get_radius(i, id), -40.0f);
    const MoonLight& moon = Component<MoonLight>(e);
    EXPECT_EQ(moon.intensity, 0.5f);
    EXPECT_EQ(moon.inner_radius, 7.0f);
    const ShadowCaster& caster = Component<ShadowCaster>(e);
    EXPECT_EQ(caster.width, 12.0f);
    EXPECT_EQ(caster.height, 6.0f);

    // Positions follow the entity.
    e.SetPosition(100.0f, 200.0f, 3.0f);
    EXPECT_EQ(Text(lb_point_light_get_pos(i, id)), "(101, 202)");
    EXPECT_EQ(Text(lb_moon_light_get_pos(i, id)), "(97, 204)");
    EXPECT_EQ(Text(lb_shadow_caster_get_pos(i, id)), "(100.5, 199.5)");
}

TEST_F(ComponentExports, MoonLightColourIsTheLevelsAndFalloffAndOuterRadiusDoNothing) {
    const entity_handle bare = With({});
    const entity_handle lit = With({"MoonLight"});
    lb_moon_light_set_intensity(lit.index, lit.id, 0.75f);
    const auto logged = LoggedBy([&] {
        lb_moon_light_set_color(bare.index, bare.id, 0.1f, 0.2f, 0.3f);
        EXPECT_EQ(moonlight_color, glm::vec3(0.1f, 0.2f, 0.3f));
        lb_moon_light_set_color(bare.index + 7, bare.id + 7, 0.4f, 0.5f, 0.6f);  // no such entity
        EXPECT_EQ(moonlight_color, glm::vec3(0.4f, 0.5f, 0.6f));
        lb_moon_light_set_falloff(lit.index, lit.id, 9.0f);
        lb_moon_light_set_outer_radius(lit.index, lit.id, 9.0f);
        lb_moon_light_set_falloff(bare.index, bare.id, 9.0f);
    });
    EXPECT_TRUE(logged.empty());
    const MoonLight& moon = Component<MoonLight>(lit);
    EXPECT_EQ(moon.intensity, 0.75f);
    EXPECT_EQ(moon.inner_radius, 1.0f);
    EXPECT_EQ(moon.offset, glm::vec2(0.0f));
}

TEST_F(ComponentExports, CollidersChangeThroughTheirOwnOperations) {
    const entity_handle e = With({"BoxCollider", "CircleCollider", "RigidBody"}, {5.0f, 6.0f, 0.0f});
    const uint32_t i = e.index, id = e.id;
    lb_collider_box_set_width(i, id, -4.0f);
    lb_collider_box_set_height(i, id, 5.0f);
    lb_collider_box_set_center(i, id, 1.0f, 2.0f);
    lb_collider_box_set_ghost(i, id, true);
    lb_collider_circle_set_radius(i, id, 3.5f);
    lb_collider_circle_set_center(i, id, -1.0f, -2.0f);
    lb_collider_circle_set_static(i, id, true);
    lb_rigidbody_set_velocity(i, id, 30.0f, -40.0f);

    const BoxCollider& box = Component<BoxCollider>(e);
    EXPECT_EQ(box.widthVector, glm::vec2(-4.0f, 0.0f));
    EXPECT_EQ(box.GetWidth(), 4.0f);
    EXPECT_EQ(box.heightVector, glm::vec2(0.0f, 5.0f));
    EXPECT_EQ(box.GetHeight(), 5.0f);
    EXPECT_EQ(box.GetCenter(), glm::vec2(6.0f, 8.0f));
    EXPECT_TRUE(lb_collider_box_get_ghost(i, id));
    EXPECT_FALSE(lb_collider_box_get_static(i, id));
    const CircleCollider& circle = Component<CircleCollider>(e);
    EXPECT_EQ(circle.GetRadius(), 3.5f);
    EXPECT_EQ(circle.GetCenter(), glm::vec2(4.0f, 4.0f));
    EXPECT_FALSE(lb_collider_circle_get_ghost(i, id));
    EXPECT_TRUE(lb_collider_circle_get_static(i, id));
    EXPECT_EQ(Text(lb_rigidbody_get_velocity(i, id)), "(30, -40)");

    lb_collider_box_set_ghost(i, id, false);
    lb_collider_box_set_static(i, id, true);
    lb_collider_circle_set_ghost(i, id, true);
    lb_collider_circle_set_static(i, id, false);
    EXPECT_FALSE(lb_collider_box_get_ghost(i, id));
    EXPECT_TRUE(lb_collider_box_get_static(i, id));
    EXPECT_TRUE(lb_collider_circle_get_ghost(i, id));
    EXPECT_FALSE(lb_collider_circle_get_static(i, id));
}

TEST_F(ComponentExports, ABoxOnARayEntityTurnsTheSizeItIsGivenByItsAngle) {
    const entity_handle e = With({"Ray", "BoxCollider"});
    lb_collider_box_set_width(e.index, e.id, 10.0f);
    const BoxCollider& box = Component<BoxCollider>(e);
    // -90 degrees, with pi taken as 3.14: the width runs down the y axis.
    EXPECT_NEAR(box.widthVector.x, 0.008f, 0.001f);
    EXPECT_NEAR(box.widthVector.y, -10.0f, 0.001f);
    EXPECT_EQ(box.GetWidth(), 10.0f);
}

// Each export's entity lacks the component (it holds every other kind), or
// the entity is gone: one line, the neutral result, nothing else changes.
struct Refusal {
    const char* type;  // the component the export needs
    std::function<std::string(uint32_t, uint32_t)> call;
    std::string line;
    std::string result;
};

std::string Show(bool value) { return value ? "true" : "false"; }
std::string Show(float value) { return std::to_string(value); }
std::string Show(int value) { return std::to_string(value); }
std::string Show(lb_vec2 value) { return Text(value); }

template <auto Export>
std::function<std::string(uint32_t, uint32_t)> Get() {
    return [](uint32_t index, uint32_t id) { return Show(Export(index, id)); };
}

const std::vector<Refusal> kRefusals = {
    {"Sprite", Get<lb_sprite_get_current_frame>(),
     "Lua Error: Attempted to get frame on component with no sprite", "-1"},
    {"Sprite", Get<lb_sprite_get_elapsed_time>(),
     "Lua Error: Attempted to get elapsed time on component with no sprite", Show(-1.0f)},
    {"Sprite", Get<lb_sprite_get_frame_time>(),
     "Lua Error: Attempted to get frame time on component with no sprite", Show(-1.0f)},
    {"Sprite", Get<lb_sprite_get_looping>(), "Lua Error: Attempted to get looping on component with no sprite",
     "false"},
    {"Sprite",
     [](uint32_t i, uint32_t id) {
         lb_sprite_set_num_rows(i, id, 2);
         return std::string("-");
     },
     "Lua Error: Attempted to set num rows on component with no sprite", "-"},
    {"PointLight", Get<lb_point_light_get_pos>(),
     "Lua Error: Attempted to get position on component with no point light", "(0, 0)"},
    {"PointLight", Get<lb_point_light_get_radius>(),
     "Lua Error: Attempted to get radius on component with no point light", Show(0.0f)},
    {"MoonLight", Get<lb_moon_light_get_pos>(),
     "Lua Error: Attempted to get position on component with no moon light", "(0, 0)"},
    {"ShadowCaster", Get<lb_shadow_caster_get_pos>(),
     "Lua Error: Attempted to get position on component with no shadow caster", "(0, 0)"},
    {"BoxCollider", Get<lb_collider_box_get_static>(), "Lua Error: Attempted to get static on entity with no box collider",
     "false"},
    {"BoxCollider",
     [](uint32_t i, uint32_t id) {
         lb_collider_box_set_height(i, id, 5.0f);
         return std::string("-");
     },
     "Lua Error: Attempted to set height on entity with no box collider", "-"},
    {"CircleCollider", Get<lb_collider_circle_get_ghost>(),
     "Lua Error: Attempted to get ghost on entity with no circle collider", "false"},
    {"RigidBody", Get<lb_rigidbody_get_velocity>(),
     "Lua Error: Attempted to access velocity on component with no rigidbody", "(0, 0)"},
};

TEST_F(ComponentExports, AnEntityWithoutTheComponentGetsOneLineAndTheNeutralResult) {
    const char* kAll[] = {"MoonLight", "PointLight", "ShadowCaster", "RigidBody", "CircleCollider", "BoxCollider"};
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.line);
        // Every kind but the one asked for.
        const entity_handle e = With({});
        for (const char* type : kAll)
            if (std::string(type) != refusal.type) e.AddComponent(type, Json::Value());
        const auto before = e.Serialize();
        std::string result;
        EXPECT_EQ(LoggedBy([&] { result = refusal.call(e.index, e.id); }), std::vector<std::string>{refusal.line});
        EXPECT_EQ(result, refusal.result);
        EXPECT_EQ(e.Serialize(), before);
    }
}

TEST_F(ComponentExports, AStaleEntityOrAnIndexOutsideTheTableLogsTheTablesMessageAndGoesOn) {
    const std::string stale = "entity_handle::GetBaseEntity: attempted to get wrong/dead ent!";
    const entity_handle gone = With({"PointLight", "RigidBody", "BoxCollider"});
    engine::DestroyEntity(gone, false);
    engine::FlushPendingDestroys();
    const entity_handle reused = With({"PointLight", "RigidBody", "BoxCollider"});
    ASSERT_EQ(reused.index, gone.index);
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.line);
        for (const entity_handle& e : {gone, entity_handle(4000000000u, reused.id)}) {
            std::string result;
            EXPECT_EQ(LoggedBy([&] { result = refusal.call(e.index, e.id); }), std::vector<std::string>{stale});
            EXPECT_EQ(result, refusal.result);
        }
    }
    lb_point_light_set_radius(gone.index, gone.id, 99.0f);
    lb_rigidbody_set_velocity(gone.index, gone.id, 1.0f, 1.0f);
    EXPECT_EQ(Component<PointLight>(reused).max_radius, 0.0f) << "the slot's new entity is untouched";
    EXPECT_EQ(Component<RigidBody>(reused).velocity, glm::vec2(0.0f));
}

}  // namespace
