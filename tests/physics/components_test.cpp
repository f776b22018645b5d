// The four components' data: defaults, level keys, the rotation rule and
// the cached corners and axes.
#include <cmath>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/entity/find_component.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"
#include "tests/physics/physics_world.h"

namespace {

using PhysicsComponents = PhysicsWorld;

Json::Value Keys(std::initializer_list<std::pair<const char*, Json::Value>> members) {
    Json::Value json(Json::objectValue);
    for (const auto& [key, value] : members) json[key] = value;
    return json;
}

TEST_F(PhysicsComponents, NewComponentsHaveTheirDefaultsAndIds) {
    EXPECT_EQ(components::GetID("RigidBody"), 5u);
    EXPECT_EQ(components::GetID("CircleCollider"), 6u);
    EXPECT_EQ(components::GetID("BoxCollider"), 7u);
    EXPECT_EQ(components::GetID("Ray"), 10u);
    const auto entity = engine::CreateEntity();
    for (const char* type : {"BoxCollider", "CircleCollider", "RigidBody", "Ray"}) entity.AddComponent(type, {});
    BoxCollider* box = engine::FindComponent<BoxCollider>(entity);
    EXPECT_EQ(box->GetWidth(), 1.0f);
    EXPECT_EQ(box->GetHeight(), 1.0f);
    EXPECT_EQ(box->angle, -90.0f);
    EXPECT_FALSE(box->IsGhost() || box->IsStatic());
    EXPECT_EQ(box->GetAxis(0), glm::vec2(1, 0));
    EXPECT_EQ(box->GetAxis(1), glm::vec2(0, 1));
    EXPECT_EQ(box->GetAxisCount(), 2);
    EXPECT_EQ(engine::FindComponent<CircleCollider>(entity)->GetRadius(), 10.0f);
    const RigidBody* body = engine::FindComponent<RigidBody>(entity);
    EXPECT_EQ(body->velocity, glm::vec2(0, 0));
    EXPECT_EQ(body->restitution, 1.0f);
    EXPECT_TRUE(engine::FindComponent<Ray>(entity)->hits.empty());
}

TEST_F(PhysicsComponents, BoxesAreTurnedByTheirAngleOnlyOnAnEntityThatHadARay) {
    const float t = 45.0f * 3.14f / 180.0f;
    struct Case {
        const char* what;
        Json::Value keys;
        bool ray;
        float width;
        glm::vec2 widthVector;
    };
    const Case cases[] = {
        {"negative width", Keys({{"Box Width", -4}, {"Box Height", 2}}), false, 4, {-4, 0}},
        {"no width", Keys({{"Box Height", 2}}), false, 0, {0, 0}},
        {"angle without ray", Keys({{"Box Width", 6}, {"Box Angle", 45}}), false, 6, {6, 0}},
        {"angle with ray", Keys({{"Box Width", 6}, {"Box Angle", 45}}), true, 6,
         {static_cast<float>(std::cos(static_cast<double>(t))) * 6, static_cast<float>(std::sin(static_cast<double>(t))) * 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto entity = engine::CreateEntity();
        if (c.ray) entity.AddComponent("Ray", {});
        entity.AddComponent("BoxCollider", c.keys);
        const BoxCollider* box = engine::FindComponent<BoxCollider>(entity);
        EXPECT_EQ(box->GetWidth(), c.width);
        EXPECT_FLOAT_EQ(box->widthVector.x, c.widthVector.x);
        EXPECT_FLOAT_EQ(box->widthVector.y, c.widthVector.y);
    }
}

// Two edges of a box turned by 45 degrees are square to each other: both
// are axes, or a ray would take a diagonal box for a wider one.
TEST_F(PhysicsComponents, ABoxTurnedByAQuarterOfPiKeepsTwoAxes) {
    const auto entity = engine::CreateEntity();
    entity.AddComponent("Ray", {});
    // 45.0228 degrees is pi / 4 with pi taken as 3.14.
    entity.AddComponent("BoxCollider", Keys({{"Box Width", 4}, {"Box Height", 4}, {"Box Angle", 45.0228}}));
    EXPECT_EQ(engine::FindComponent<BoxCollider>(entity)->GetAxisCount(), 2);
}

TEST_F(PhysicsComponents, KeysOfTheWrongKindReadAsMissing) {
    const auto entity = engine::CreateEntity();
    entity.AddComponent("BoxCollider", Keys({{"Box Width", "wide"}, {"Box Static", "yes"}, {"Box Angle", Json::Value(Json::arrayValue)}}));
    entity.AddComponent("CircleCollider", Keys({{"Circle Radius", Json::Value(Json::objectValue)}, {"Circle Ghost", 1}}));
    entity.AddComponent("RigidBody", Keys({{"vel_x", true}, {"restitution", "bouncy"}}));
    const BoxCollider* box = engine::FindComponent<BoxCollider>(entity);
    EXPECT_EQ(box->GetWidth(), 0.0f);
    EXPECT_FALSE(box->IsStatic());
    EXPECT_EQ(box->angle, 0.0f);
    EXPECT_EQ(engine::FindComponent<CircleCollider>(entity)->GetRadius(), 0.0f);
    EXPECT_TRUE(engine::FindComponent<CircleCollider>(entity)->IsGhost());
    EXPECT_EQ(engine::FindComponent<RigidBody>(entity)->velocity, glm::vec2(1, 0));
    EXPECT_EQ(engine::FindComponent<RigidBody>(entity)->restitution, 0.0f);
}

TEST_F(PhysicsComponents, EveryKeySurvivesALevelRoundTrip) {
    Json::Value saved(Json::objectValue);
    saved["name"] = "Crate";
    saved["pos"] = Keys({{"x", 3.0}, {"y", -2.0}, {"z", 0.5}});
    Json::Value list(Json::arrayValue);
    list.append(Keys({{"__component_name", "RigidBody"}, {"vel_x", 1.5}, {"vel_y", -2.5}, {"restitution", 0.25}}));
    list.append(Keys({{"__component_name", "CircleCollider"}, {"Circle Center OffsetX", 1.0}, {"Circle Center OffsetY", 2.0},
                      {"Circle Ghost", true}, {"Circle Static", true}, {"Circle Radius", 7.5}}));
    list.append(Keys({{"__component_name", "BoxCollider"}, {"Box Angle", 30.0}, {"Box Width", 12.0}, {"Box Height", 6.0},
                      {"Box Center OffsetX", -1.0}, {"Box Center OffsetY", 0.5}, {"Box ghost", true}, {"Box Static", true}}));
    list.append(Keys({{"__component_name", "Ray"}}));
    saved["components"] = list;

    const auto entity = engine::CreateEntity();
    entity.Deserialize(saved);
    EXPECT_EQ(entity.Serialize(), saved);
}

// Every change that moves or reshapes a box: a static one must end up where
// a moving one would, corners and axes alike.
TEST_F(PhysicsComponents, AStaticBoxIsAlwaysWhereItsEntityAndSizesPutIt) {
    struct Case {
        const char* what;
        void (*change)(const engine::entity_handle& entity, BoxCollider& box);
        bool moves = true;  // ends somewhere else than it was loaded
    };
    const Case cases[] = {
        {"entity moved", [](const engine::entity_handle& e, BoxCollider&) { e.SetPosition(40, -7, 0); }},
        {"widened", [](const engine::entity_handle&, BoxCollider& b) { b.SetWidth({9, 0}); }},
        {"heightened", [](const engine::entity_handle&, BoxCollider& b) { b.SetHeight({0, 0.5f}); }},
        {"offset", [](const engine::entity_handle&, BoxCollider& b) { b.SetCenter({-3, 2}); }},
        {"made static after moving",
         [](const engine::entity_handle& e, BoxCollider& b) {
             b.SetStatic(false);
             e.SetPosition(5, 5, 0);
             b.GetAxis(0);
             e.SetPosition(0, 0, 0);
             b.SetStatic(true);
         },
         false},
        {"copied elsewhere",
         [](const engine::entity_handle& e, BoxCollider&) {
             const auto source = engine::CreateEntity();
             source.CopyFrom(e);
             e.CopyFrom(source);
             e.SetPosition(10, 0, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto wall = Box(0, 0, 2, 4, Keys({{"Box Static", true}}));
        BoxCollider* box = engine::FindComponent<BoxCollider>(wall);
        ASSERT_TRUE(box->IsStatic());
        box->GetCorner(0);  // the cache holds the box as loaded
        c.change(wall, *box);
        box = engine::FindComponent<BoxCollider>(wall);

        // The same box, not static, as the reference.
        const auto mover = engine::CreateEntity();
        mover.CopyFrom(wall);
        BoxCollider* reference = engine::FindComponent<BoxCollider>(mover);
        reference->SetStatic(false);
        glm::vec2 corners[4], expected[4];
        box->GetCorners(corners);
        reference->GetCorners(expected);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(corners[i], expected[i]) << "corner " << i;
        for (int i = 0; i < 2; ++i) EXPECT_EQ(box->GetAxis(i), reference->GetAxis(i)) << "axis " << i;
        if (c.moves) {
            EXPECT_NE(expected[0], glm::vec2(1, 2));
        }
        engine::DestroyAllEntities();
    }
}

// A wall put together from a script: added bare, then sized, made static
// and placed. It must stop a ball where it stands, not at the origin.
TEST_F(PhysicsComponents, AStaticWallBuiltStepByStepStopsABall) {
    const auto wall = engine::CreateEntity();
    wall.AddComponent("BoxCollider", Json::Value());
    AddBody(wall, {0, 0});
    BoxCollider* box = engine::FindComponent<BoxCollider>(wall);
    box->SetStatic(true);
    box->GetCorner(0);
    box->SetWidth({10, 0});
    box->SetHeight({0, 100});
    wall.SetPosition(100, 0, 0);
    const auto ball = Circle(80, 0, 5);
    AddBody(ball, {300, 0});
    for (int frame = 0; frame < 30; ++frame) Step(1.0f / 60.0f);
    ASSERT_FALSE(log.empty()) << "the ball passed through the wall";
    EXPECT_EQ(log.front(), "Started 1 2");
    EXPECT_LT(Position(ball).x, 95.0f);
    EXPECT_LE(Velocity(ball).x, 0.0f);
}

}  // namespace
