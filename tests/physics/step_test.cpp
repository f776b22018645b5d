// Whole steps: which pairs are tested, the events they raise, ghosts,
// statics, culling, integration, and what listeners may do meanwhile.
#include "core/entity/entity_table.h"
#include "core/entity/find_component.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "physics/circle_collider.h"
#include "physics/pair_list.h"
#include "physics/rigid_body.h"
#include "tests/physics/physics_world.h"

namespace {

using PhysicsStep = PhysicsWorld;
using Log = std::vector<std::string>;

Json::Value Flag(const char* key) {
    Json::Value json(Json::objectValue);
    json[key] = true;
    return json;
}

TEST_F(PhysicsStep, APairStartsPersistsAndEndsOnceEachWhicheverWayItIsReported) {
    const auto a = Circle(0, 0, 5), b = Circle(8, 0, 5);
    Step();
    Step();
    physics.TestPair(b, a);  // the same pair handed over the other way round
    b.SetPosition(20, 0, 0);
    Step();
    Step();
    EXPECT_EQ(log, (Log{"Started 1 2", "Persisted 1 2", "Persisted 2 1", "Ended 1 2"}));
    const Record& ended = records.back();
    EXPECT_EQ(ended.direction, glm::vec2(0, 0));
    EXPECT_EQ(ended.relativeVelocity, glm::vec2(0, 0));
    EXPECT_EQ(ended.contactPoint, glm::vec2(0, 0));
    EXPECT_EQ(ended.separation, 0.0f);
}

TEST_F(PhysicsStep, StaticPairsAreNeverTestedAndGhostsAreNeverPushed) {
    Circle(0, 0, 5, Flag("Circle Static"));
    Box(4, 0, 5, 5, Flag("Box Static"));
    Step();
    EXPECT_TRUE(log.empty());

    const auto mover = Circle(100, 0, 5), ghost = Circle(108, 0, 5, Flag("Circle Ghost"));
    AddBody(mover, {1, 0});
    AddBody(ghost, {0, 0});
    const auto wall = Box(-100, 0, 10, 10, Flag("Box Static"));
    const auto bumper = Box(-92, 0, 10, 10);
    AddBody(wall, {0, 0});
    AddBody(bumper, {-1, 0});
    Step();
    EXPECT_EQ(log, (Log{"Started 3 4", "Started 5 6"}));
    EXPECT_EQ(Velocity(mover), glm::vec2(1, 0));
    EXPECT_EQ(Position(mover), glm::vec2(100, 0));
    // Against a static box only the moving one moves and changes speed.
    EXPECT_EQ(Position(wall), glm::vec2(-100, 0));
    EXPECT_EQ(Position(bumper), glm::vec2(-90, 0));
    EXPECT_EQ(Velocity(bumper), glm::vec2(0, 0));
}

TEST_F(PhysicsStep, PairsOutsideTheEnlargedViewRaiseNothingAndStillMove) {
    Camera::SetPosition({0, 0, 0});
    const glm::ivec2 view(100, 60);  // kept while within 60 by 36 of the camera
    const auto a = Circle(50, 0, 5), b = Circle(58, 0, 5);
    physics.Step(0.0f, view);
    EXPECT_EQ(log, (Log{"Started 1 2"}));
    for (const auto& entity : {a, b}) entity.SetPosition(Position(entity).x + 10, 0, 0);
    AddBody(b, {2, 0});
    physics.Step(1.0f, view);
    physics.Step(1.0f, view);
    EXPECT_EQ(log, (Log{"Started 1 2"}));  // no test, so no ending either
    EXPECT_EQ(Position(b), glm::vec2(72, 0));

    struct Case {
        glm::vec2 at;
        float radius;
        bool culled;
    };
    for (const Case& c : {Case{{65, 0}, 5, false}, Case{{65.5f, 0}, 5, true}, Case{{0, -41}, 5, false},
                          Case{{0, -41.5f}, 5, true}}) {
        const auto entity = Circle(c.at.x, c.at.y, c.radius);
        EXPECT_EQ(Physics::IsCulled(entity, view.x, view.y), c.culled) << c.at.x << ", " << c.at.y;
    }
    EXPECT_TRUE(Physics::IsCulled(engine::CreateEntity(), view.x, view.y));
}

// Without a window the letterbox is empty; a zoom of 0 makes the view
// infinite and culls nothing instead of converting infinity to an integer.
TEST_F(PhysicsStep, TheViewComesFromTheCamerasLetterboxAndZoom) {
    Camera::SetScale(1.0f);
    EXPECT_EQ(Physics::CameraView(), Physics::ViewSize(glm::ivec2(0, 0)));
    Camera::SetScale(-1.0f);
    EXPECT_EQ(Physics::CameraView(), Physics::ViewSize(glm::ivec2(0, 0)));
    Camera::SetScale(0.0f);
    EXPECT_EQ(Physics::CameraView(), std::nullopt);
    Circle(5000, 0, 5);
    Circle(5008, 0, 5);
    physics.Update(0.0f);
    EXPECT_EQ(log, (Log{"Started 1 2"}));
}

// Bodies at rest are not pushed apart: they touch, frame after frame.
TEST_F(PhysicsStep, WhilePausedTouchingPairsAreStillReportedAndResolved) {
    const auto a = Circle(0, 0, 5), b = Circle(8, 0, 5);
    AddBody(a, {1, 0});
    AddBody(b, {0, 0});
    const auto c = Circle(100, 0, 5), d = Circle(108, 0, 5);
    AddBody(c, {0, 0});
    AddBody(d, {0, 0});
    Step(0.0f);
    Step(0.0f);
    EXPECT_EQ(Velocity(b), glm::vec2(1, 0));
    EXPECT_EQ(Position(b), glm::vec2(10, 0));
    EXPECT_EQ(Position(d), glm::vec2(108, 0));
    EXPECT_EQ(log, (Log{"Started 1 2", "Started 3 4", "Ended 1 2", "Persisted 3 4"}));
}

TEST_F(PhysicsStep, IntegrationMovesEveryNonStaticBody) {
    const auto free = engine::CreateEntity();
    AddBody(free, {2, -1});
    engine::FindComponent<RigidBody>(free)->acceleration = {1, 0};
    const auto pinned = Box(50, 0, 2, 2, Flag("Box Static"));
    AddBody(pinned, {5, 5});
    free.SetPosition(0, 0, 3);
    Step(0.5f);
    EXPECT_EQ(Velocity(free), glm::vec2(2.5f, -1));
    EXPECT_EQ(free.GetPosition(), glm::vec3(1.25f, -0.5f, 3));
    EXPECT_EQ(Position(pinned), glm::vec2(50, 0));
}

TEST_F(PhysicsStep, AnEntityWithBothShapesIsTestedForEachCombination) {
    const auto both = Circle(0, 0, 5);
    both.AddComponent("BoxCollider", Json::Value());  // 1 by 1 at the same centre
    const auto other = Circle(4, 0, 5);
    other.AddComponent("BoxCollider", Json::Value());
    Step();
    EXPECT_EQ(log, (Log{"Started 1 2", "Persisted 1 2", "Persisted 1 2"}));
}

// Destroyed entities leave the pair list, so it cannot grow without bound
// and a pair of one level never names the entities of the next.
TEST_F(PhysicsStep, PairsOfDestroyedEntitiesAreForgotten) {
    Circle(0, 0, 5);
    Circle(8, 0, 5);
    Step();
    engine::DestroyAllEntities();  // a level load: ids start again at 1
    Circle(0, 0, 5);
    const auto b = Circle(8, 0, 5);
    Step();
    EXPECT_EQ(log, (Log{"Started 1 2", "Started 1 2"}));

    engine::DestroyEntity(b, false);
    engine::FlushPendingDestroys();
    Step();
    EXPECT_EQ(pair_list::Size(), 0u);
}

TEST_F(PhysicsStep, ListenersMayChangeComponentsAndEntitiesDuringAStep) {
    const auto a = Circle(0, 0, 5), b = Circle(8, 0, 5), c = Circle(4, 3, 5);
    a.AddComponent("BoxCollider", Json::Value());
    b.AddComponent("BoxCollider", Json::Value());
    for (const auto& entity : {a, b, c}) AddBody(entity, {1, 1});
    events::Connect<Record>("OnCollisionStarted", "Meddler", [](Record record) {
        record.entityB.RemoveComponent("CircleCollider");
        record.entityA.RemoveComponent("RigidBody");
        for (int i = 0; i < 50; ++i) engine::CreateEntity();  // the table may move
        engine::DestroyEntity(record.entityB, false);
    });
    Step(0.1f);
    engine::FlushPendingDestroys();
    Step(0.1f);
    EXPECT_FALSE(log.empty());
    EXPECT_FALSE(b.IsValid());

    // Emptying the table ends the step: the new entities are not reached
    // through the old handles.
    events::Disconnect("OnCollisionStarted", "Meddler");
    engine::DestroyAllEntities();
    Circle(0, 0, 5);
    Circle(8, 0, 5);
    Circle(4, 0, 5);
    events::Connect<Record>("OnCollisionStarted", "Wiper", [this](Record) {
        engine::DestroyAllEntities();
        AddBody(Circle(0, 0, 5), {1, 0});
        AddBody(Circle(8, 0, 5), {0, 0});
    });
    log.clear();
    Step(1.0f);
    EXPECT_EQ(log, (Log{"Started 1 2"}));
    EXPECT_EQ(Position(engine::GetAllEntities().at(0)), glm::vec2(0, 0));
}

// Pairs that cannot touch are not tested; a listener that moves entities
// mid-step must still see every pair tested that the move brings together
// or apart, in the same step.
TEST_F(PhysicsStep, PairsAListenerBringsTogetherOrApartAreTestedInTheSameStep) {
    const auto a = Circle(0, 0, 5), b = Circle(8, 0, 5);
    Circle(500, 0, 5);
    const auto d = Circle(900, 0, 5);
    events::Connect<Record>("OnCollisionStarted", "Mover", [&](Record record) {
        if (record.entityA == a) d.SetPosition(504, 0, 0);
    });
    Step();
    EXPECT_EQ(log, (Log{"Started 1 2", "Started 3 4"}));

    events::Disconnect("OnCollisionStarted", "Mover");
    events::Connect<Record>("OnCollisionPersisted", "Parter", [&](Record record) {
        if (record.entityA == a) d.SetPosition(5000, 0, 0);
    });
    log.clear();
    Step();
    EXPECT_EQ(log, (Log{"Persisted 1 2", "Ended 3 4"}));
    EXPECT_EQ(Position(b), glm::vec2(8, 0));
}

}  // namespace
