// The pair tests on their own: what touches, and what the record says.
#include <cmath>

#include "core/entity/entity_table.h"
#include "core/entity/find_component.h"
#include "physics/box_collider.h"
#include "physics/ray.h"
#include "tests/physics/physics_world.h"

namespace {

using NarrowPhase = PhysicsWorld;

bool Finite(const CollisionDetection::CollisionDataObj& record) {
    for (float value : {record.direction.x, record.direction.y, record.contactPoint.x, record.contactPoint.y,
                        record.separation})
        if (!std::isfinite(value)) return false;
    return true;
}

// The separation is the overlap, negative, also when A's centre lies inside B.
TEST_F(NarrowPhase, CirclesTouchUpToTangencyWithTheSeparationAndContactPointBetweenThem) {
    struct Case {
        float distance, radiusA, radiusB;
        bool touching;
        float separation;
        float contactX;
    };
    for (const Case& c : {Case{10, 5, 5, true, 0, 5}, Case{8, 5, 5, true, -2, 4}, Case{10.5f, 5, 5, false, 0, 0},
                          Case{2, 1, 10, true, -9, -3.5f}}) {
        SCOPED_TRACE(c.distance);
        physics.contacts.clear();
        const auto a = Circle(0, 0, c.radiusA), b = Circle(c.distance, 0, c.radiusB);
        physics.TestPair(a, b);
        EXPECT_EQ(physics.lastResult, c.touching);
        ASSERT_EQ(physics.contacts.size(), c.touching ? 1u : 0u);
        if (!c.touching) continue;
        const auto& record = physics.contacts[0];
        EXPECT_EQ(record.direction, glm::vec2(c.distance, 0.0f));
        EXPECT_FLOAT_EQ(record.separation, c.separation);
        EXPECT_FLOAT_EQ(record.contactPoint.x, c.contactX);
        EXPECT_FLOAT_EQ(record.contactPoint.y, 0.0f);
        engine::DestroyAllEntities();
    }
}

TEST_F(NarrowPhase, BoxesTakeTheNormalOfLeastPenetrationFromBTowardsA) {
    struct Case {
        glm::vec2 at;  // B's centre; A is a 10 by 10 box at the origin
        bool touching;
        glm::vec2 normal;
        float depth;
    };
    for (const Case& c : {Case{{8, 0}, true, {-1, 0}, 2}, Case{{-8, 0}, true, {1, 0}, 2},
                          Case{{1, 8}, true, {0, -1}, 2}, Case{{1, -7}, true, {0, 1}, 3},
                          Case{{10, 0}, false, {}, 0}, Case{{10, 10}, false, {}, 0}}) {
        SCOPED_TRACE(testing::Message() << c.at.x << ", " << c.at.y);
        physics.contacts.clear();
        const auto a = Box(0, 0, 10, 10), b = Box(c.at.x, c.at.y, 10, 10);
        physics.TestPair(a, b);
        ASSERT_EQ(physics.contacts.size(), c.touching ? 1u : 0u);
        if (c.touching) {
            EXPECT_EQ(physics.contacts[0].direction, c.normal);
            EXPECT_FLOAT_EQ(physics.contacts[0].separation, c.depth);
        }
        engine::DestroyAllEntities();
    }
}

TEST_F(NarrowPhase, BoxAndCircleGiveOneContactWhoseNormalFollowsA) {
    struct Case {
        const char* what;
        glm::vec2 boxSize, circleAt;
        float radius;
        glm::vec2 boxFirstNormal;  // the normal when the box is A
        float depth;
    };
    const Case cases[] = {
        {"beside", {10, 10}, {12, 0}, 8, {-1, 0}, 1},
        // Off the centre line of a wide platform: resting on it still touches.
        {"on a platform", {200, 10}, {80, 8}, 4, {0, -1}, 1},
        {"coincident centres", {10, 10}, {0, 0}, 2, {1, 0}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (bool boxFirst : {true, false}) {
            physics.contacts.clear();
            const auto box = Box(0, 0, c.boxSize.x, c.boxSize.y);
            const auto circle = Circle(c.circleAt.x, c.circleAt.y, c.radius);
            boxFirst ? physics.TestPair(box, circle) : physics.TestPair(circle, box);
            ASSERT_EQ(physics.contacts.size(), 1u);
            const auto& record = physics.contacts[0];
            EXPECT_EQ(record.entityA, boxFirst ? box : circle);
            EXPECT_EQ(record.direction, boxFirst ? c.boxFirstNormal : -c.boxFirstNormal);
            EXPECT_NEAR(record.separation, c.depth, 1e-4);
            engine::DestroyAllEntities();
        }
    }
}

TEST_F(NarrowPhase, DegenerateShapesNeverGiveValuesThatAreNotNumbers) {
    Json::Value segment(Json::objectValue);  // no "Box Width": a vertical segment
    segment["Box Height"] = 6;
    const auto pairs = {
        std::make_pair(Circle(3, 3, 2), Circle(3, 3, 2)),
        std::make_pair(Circle(3, 3, 0), Circle(3, 3, 0)),
        std::make_pair(Box(3, 3, 0, 0), Circle(3, 3, 1)),
        std::make_pair(Box(0, 0, 0, 0), Box(0, 0, 0, 0)),
        std::make_pair(Box(0, 0, 4, 4), Box(1, 1, 0, 0)),
    };
    for (const auto& [a, b] : pairs) physics.TestPair(a, b);
    ASSERT_FALSE(physics.contacts.empty());
    for (const auto& record : physics.contacts) EXPECT_TRUE(Finite(record));

    const auto line = engine::CreateEntity();
    line.AddComponent("BoxCollider", segment);
    for (const auto& entity : {line, Box(0, 0, 0, 0)}) {
        BoxCollider* box = engine::FindComponent<BoxCollider>(entity);
        ASSERT_EQ(box->GetAxisCount(), 2);
        EXPECT_EQ(box->GetAxis(0), glm::vec2(1, 0));
        EXPECT_EQ(box->GetAxis(1), glm::vec2(0, 1));
    }
}

// A ray's box counts a box it only meets at an edge, where two bodies do not
// collide; it lists what it overlaps instead of colliding.
TEST_F(NarrowPhase, RaysListWhatTheirShapeOverlapsAndRaiseNothing) {
    const auto wall = Box(10, 0, 10, 10);
    const auto body = Box(0, 0, 10, 10);
    physics.TestPair(body, wall);
    EXPECT_FALSE(physics.lastResult);

    const auto probe = engine::CreateEntity();
    probe.AddComponent("Ray", Json::Value());
    Json::Value keys(Json::objectValue);
    keys["Box Width"] = 10;
    keys["Box Height"] = 10;
    keys["Box Angle"] = 0;
    probe.AddComponent("BoxCollider", keys);
    physics.TestPair(wall, probe);  // the ray second: swapped to be A
    EXPECT_TRUE(physics.lastResult);
    EXPECT_TRUE(physics.contacts.empty());
    EXPECT_TRUE(log.empty());
    const Ray* ray = engine::FindComponent<Ray>(probe);
    ASSERT_EQ(ray->hits.size(), 1u);
    EXPECT_EQ(ray->hits[0], wall);
    EXPECT_EQ(ray->closestHit, wall);

    // A circle ray facing a circle without any box compares the circles.
    const auto circleProbe = Circle(100, 0, 5);
    circleProbe.AddComponent("Ray", Json::Value());
    const auto target = Circle(108, 0, 3);
    physics.TestPair(circleProbe, target);
    EXPECT_TRUE(physics.lastResult);
    EXPECT_EQ(engine::FindComponent<Ray>(circleProbe)->hits.size(), 1u);
}

// The ray's box is turned by its angle when the ray was there first; it
// hits what the turned box overlaps, not what its unturned box would.
TEST_F(NarrowPhase, ARotatedRayBoxHitsWhatItOverlaps) {
    const auto probe = engine::CreateEntity();
    probe.AddComponent("Ray", Json::Value());
    Json::Value keys(Json::objectValue);
    keys["Box Width"] = 40;
    keys["Box Height"] = 2;
    keys["Box Angle"] = 90;  // the long side along y
    probe.AddComponent("BoxCollider", keys);
    const auto above = Box(0, 15, 4, 4);
    const auto beside = Box(15, 0, 4, 4);
    physics.TestPair(probe, above);
    EXPECT_TRUE(physics.lastResult);
    physics.TestPair(probe, beside);
    EXPECT_FALSE(physics.lastResult);
}

TEST_F(NarrowPhase, AHitListIsNearestFirstWithoutRepeatsOrDestroyedEntities) {
    const auto probe = Box(0, 0, 1, 1);
    probe.AddComponent("Ray", Json::Value());
    const auto near = Box(2, 0, 1, 1), middle = Box(5, 0, 1, 1), far = Box(9, 0, 1, 1);
    Ray* ray = engine::FindComponent<Ray>(probe);
    ray->AddHit(middle);
    ray->AddHit(far);
    ray->AddHit(near);
    ray->AddHit(middle);
    EXPECT_EQ(ray->hits, (std::vector<engine::entity_handle>{near, middle, far}));
    EXPECT_EQ(ray->closestHit, near);

    engine::DestroyEntity(near, false);
    engine::FlushPendingDestroys();
    far.SetPosition(1, 0, 0);  // now the nearest
    ray->AddHit(far);
    EXPECT_EQ(ray->hits, (std::vector<engine::entity_handle>{far, middle}));
    EXPECT_EQ(ray->closestHit, far);
}

}  // namespace
