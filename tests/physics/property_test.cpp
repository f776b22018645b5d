// Many random shapes, degenerate ones among them, stepped for a long while:
// nothing becomes not-a-number, nothing is lost, and every pair's events
// come in order.
#include <cmath>
#include <map>
#include <random>
#include <sstream>

#include <glm/geometric.hpp>

#include "core/entity/entity_table.h"
#include "core/entity/find_component.h"
#include "physics/rigid_body.h"
#include "tests/physics/physics_world.h"

namespace {

using RandomWorld = PhysicsWorld;

TEST_F(RandomWorld, AThousandStepsKeepEveryValueFiniteAndEveryPairsEventsInOrder) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> place(-60, 60), size(0, 12), speed(-30, 30), chance(0, 1);
    std::vector<engine::entity_handle> entities;
    for (int i = 0; i < 40; ++i) {
        // Every fifth shape sits exactly on another one's centre.
        const glm::vec2 at = i % 5 == 4 ? Position(entities[i - 1]) : glm::vec2(place(random), place(random));
        Json::Value keys(Json::objectValue);
        if (chance(random) < 0.15f) keys[i % 2 ? "Circle Static" : "Box Static"] = true;
        if (chance(random) < 0.1f) keys[i % 2 ? "Circle Ghost" : "Box ghost"] = true;
        const float s = i % 7 == 0 ? 0.0f : size(random);
        const auto entity = i % 2 ? Circle(at.x, at.y, s, keys) : Box(at.x, at.y, s, i % 3 ? s : 0.0f, keys);
        if (chance(random) < 0.8f) AddBody(entity, {speed(random), speed(random)}, chance(random));
        entities.push_back(entity);
    }

    for (int step = 0; step < 1000; ++step) {
        Step(1.0f / 60.0f);
        // Keep them together so that pairs keep meeting.
        for (const auto& entity : entities)
            if (RigidBody* body = engine::FindComponent<RigidBody>(entity))
                if (glm::length(Position(entity)) > 80.0f) body->velocity = -0.2f * Position(entity);
    }

    ASSERT_EQ(engine::GetAllEntities().size(), entities.size());
    for (const auto& entity : entities) {
        ASSERT_TRUE(entity.IsValid());
        const glm::vec2 at = Position(entity);
        ASSERT_TRUE(std::isfinite(at.x) && std::isfinite(at.y));
        if (const RigidBody* body = engine::FindComponent<RigidBody>(entity)) {
            ASSERT_TRUE(std::isfinite(body->velocity.x) && std::isfinite(body->velocity.y));
        }
    }
    for (const Record& record : records) {
        for (float value : {record.direction.x, record.direction.y, record.relativeVelocity.x,
                            record.relativeVelocity.y, record.contactPoint.x, record.contactPoint.y, record.separation})
            ASSERT_TRUE(std::isfinite(value));
    }

    // Per unordered pair: Started, then any Persisted, then Ended, again.
    std::map<std::pair<uint32_t, uint32_t>, bool> touching;
    size_t started = 0;
    for (const std::string& line : log) {
        std::istringstream in(line);
        std::string what;
        uint32_t a = 0, b = 0;
        in >> what >> a >> b;
        bool& now = touching[{std::min(a, b), std::max(a, b)}];
        if (what == "Started") {
            ASSERT_FALSE(now) << line;
            now = true;
            ++started;
        } else {
            ASSERT_TRUE(now) << line;
            if (what == "Ended") now = false;
        }
    }
    EXPECT_GT(started, 20u);
}

}  // namespace
