// The response to one contact, worked from records handed over directly.
#include <cmath>

#include "core/entity/find_component.h"
#include "physics/rigid_body.h"
#include "tests/physics/physics_world.h"

namespace {

using Response = PhysicsWorld;

TEST_F(Response, MovingCirclesBounceAndSeparate) {
    const auto a = Circle(0, 0, 5), b = Circle(8, 0, 5);
    AddBody(a, {1, 0});
    AddBody(b, {0, 0});
    physics.TestPair(a, b);
    ASSERT_EQ(physics.contacts.size(), 1u);
    physics.ResolvePair(physics.contacts[0]);
    EXPECT_EQ(Velocity(a), glm::vec2(0, 0));
    EXPECT_EQ(Velocity(b), glm::vec2(1, 0));
    EXPECT_EQ(Position(a), glm::vec2(-2, 0));
    EXPECT_EQ(Position(b), glm::vec2(10, 0));
}

TEST_F(Response, RestitutionIsTheSmallerOneAndAStaticBodyNeitherMovesNorBounces) {
    struct Case {
        const char* what;
        float restitutionA, restitutionB;
        bool bStatic;
        glm::vec2 velocityA, velocityB;
    };
    const Case cases[] = {
        {"elastic", 1, 1, false, {0, 0}, {1, 0}},
        {"the smaller restitution", 0.5f, 1, false, {0.25f, 0}, {0.75f, 0}},
        {"static", 1, 1, true, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Json::Value keys(Json::objectValue);
        keys["Circle Static"] = c.bStatic;
        const auto a = Circle(0, 0, 5), b = Circle(8, 0, 5, keys);
        AddBody(a, {1, 0}, c.restitutionA);
        AddBody(b, {0, 0}, c.restitutionB);
        Record record;
        record.entityA = a;
        record.entityB = b;
        record.direction = {8, 0};
        record.relativeVelocity = {-1, 0};
        record.separation = -2;
        physics.ResolvePair(record);
        EXPECT_EQ(Velocity(a), c.velocityA);
        EXPECT_EQ(Velocity(b), c.velocityB);
        EXPECT_EQ(Position(b), glm::vec2(c.bStatic ? 8 : 10, 0));
    }
}

// Coincident centres: the record still has a direction, and one without
// any does nothing.
TEST_F(Response, RecordsWithoutADirectionChangeNothing) {
    const auto a = Circle(3, 3, 5), b = Circle(3, 3, 5);
    AddBody(a, {1, 0});
    AddBody(b, {-1, 0});
    Record none;
    none.entityA = a;
    none.entityB = b;
    none.relativeVelocity = {-2, 0};
    none.separation = -10;
    physics.ResolvePair(none);
    EXPECT_EQ(Position(a), glm::vec2(3, 3));

    Step(0.1f);
    for (const auto& entity : {a, b}) {
        EXPECT_TRUE(std::isfinite(Position(entity).x) && std::isfinite(Position(entity).y));
        EXPECT_TRUE(std::isfinite(Velocity(entity).x) && std::isfinite(Velocity(entity).y));
    }
    EXPECT_NE(Position(a), Position(b));
}

}  // namespace
