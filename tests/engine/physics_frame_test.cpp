#include <gtest/gtest.h>

#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "physics/collision_detection.h"
#include "tests/engine/engine_fixture.h"

namespace {

using PhysicsFrame = EngineTest;

// Two balls of the level overlapping on the camera, one rolling into the other.
constexpr const char* kTwoBalls = R"({"tile_map": null, "entities": [
  {"name": "Left", "pos": {"x": -4, "y": 0, "z": 0}, "components": [
    {"__component_name": "RigidBody", "vel_x": 1, "vel_y": 0, "restitution": 1},
    {"__component_name": "CircleCollider", "Circle Radius": 5}]},
  {"name": "Right", "pos": {"x": 4, "y": 0, "z": 0}, "components": [
    {"__component_name": "RigidBody", "vel_x": 0, "vel_y": 0, "restitution": 1},
    {"__component_name": "CircleCollider", "Circle Radius": 5}]}]})";

TEST_F(PhysicsFrame, TheStepRunsAfterTheLevelLoadAndBeforeTheLogicEvents) {
    folder.WriteLevel("korvel_splash", kTwoBalls);
    std::vector<std::string> log;
    events::Connect<CollisionDetection::CollisionDataObj>(
        "OnCollisionStarted", "TestStarted", [&](CollisionDetection::CollisionDataObj record) {
            log.push_back("Started " + record.entityA.GetName() + " " + record.entityB.GetName());
        });
    float leftX = 0.0f;
    RunUntil([&](int frame) {
        log.push_back("PreLogicUpdate " + std::to_string(frame));
        leftX = engine::GetAllEntities().at(0).GetPosition().x;
        return frame == 1;
    });
    EXPECT_EQ(log, (std::vector<std::string>{"Started Left Right", "PreLogicUpdate 1"}));
    EXPECT_LT(leftX, -4.0f) << "pushed apart";
}

}  // namespace
