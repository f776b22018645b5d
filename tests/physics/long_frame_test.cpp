// Frames of any length: a body is never carried through a wall it stops at,
// and a frame short enough for one step is exactly that step.
#include "core/entity/entity_table.h"
#include "core/entity/find_component.h"
#include "physics/rigid_body.h"
#include "tests/physics/physics_world.h"

namespace {

class LongFrame : public PhysicsWorld {
protected:
    // The courtyard's east wall: 16 thick, its inner face at x = 240.
    engine::entity_handle EastWall() {
        Json::Value keys(Json::objectValue);
        keys["Box Static"] = true;
        const auto wall = Box(248, 0, 16, 280, keys);
        AddBody(wall, {0, 0});
        return wall;
    }
};

TEST_F(LongFrame, ABodyDrivenIntoAWallStaysOnItsSideWhateverTheFrameTime) {
    struct Case {
        bool circle;
        float seconds;
    };
    for (const Case& c : {Case{true, 1.0f}, Case{true, 10.0f}, Case{false, 1.0f}, Case{false, 10.0f}}) {
        SCOPED_TRACE(std::string(c.circle ? "circle, " : "box, ") + std::to_string(c.seconds) + " s");
        EastWall();
        // Half as wide as the wall is thick, driven at the wisp's speed and
        // with its bounce.
        const auto body = c.circle ? Circle(200, 0, 6) : Box(200, 0, 12, 12);
        AddBody(body, {80, 0}, 0.3f);
        Frame(c.seconds);
        EXPECT_GT(Position(body).x, 230.0f) << "it stopped short of the wall";
        EXPECT_LT(Position(body).x, 240.0f) << "it went into or through the wall";
        EXPECT_FALSE(log.empty()) << "it never touched the wall";
        engine::DestroyAllEntities();
        log.clear();
    }
}

// Frames at 30 a second or faster reach the step as they are, bit for bit:
// a body pressed into a wall, pushed out, bounced and moved on.
TEST_F(LongFrame, AFrameNoLongerThanOneStepIsThatStep) {
    EastWall();
    const auto body = Circle(236, 0, 6);
    AddBody(body, {80, 3}, 0.3f);
    for (const float dt : {0.0f, 1.0f / 60.0f, Physics::kLongestStep}) {
        SCOPED_TRACE(dt);
        body.SetPosition(236.1f, 0.3f, 0);
        engine::FindComponent<RigidBody>(body)->velocity = {80.3f, 3.7f};
        Step(dt);
        const glm::vec2 stepped = Position(body), steppedVelocity = Velocity(body);
        body.SetPosition(236.1f, 0.3f, 0);
        engine::FindComponent<RigidBody>(body)->velocity = {80.3f, 3.7f};
        Frame(dt);
        EXPECT_EQ(Position(body), stepped);
        EXPECT_EQ(Velocity(body), steppedVelocity);
        EXPECT_NE(steppedVelocity, glm::vec2(80.3f, 3.7f)) << "the wall did not answer";
    }
}

}  // namespace
