#pragma once
// A physics world without a window: the real component registry, the real
// debug drawing (with no vector context it draws nothing) and events, and
// a log of the collision events as "Started 1 2" (the record's entity ids).

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/vec2.hpp>
#include <json/value.h>

#include "core/entity/entity_handle.h"
#include "graphics/debug_draw.h"
#include "physics/physics.h"

class PhysicsWorld : public ::testing::Test {
protected:
    using Record = CollisionDetection::CollisionDataObj;

    PhysicsWorld();
    ~PhysicsWorld() override;

    // One step, or a frame's steps, over a view that holds everything the
    // tests place.
    void Step(float dt = 0.0f) { physics.Step(dt, kEverywhere); }
    void Frame(float dt) { physics.Update(dt, kEverywhere); }
    static constexpr glm::ivec2 kEverywhere{100000, 100000};

    // Entities at (x, y) with a component read from its level keys.
    engine::entity_handle Circle(float x, float y, float radius, const Json::Value& more = Json::Value());
    engine::entity_handle Box(float x, float y, float width, float height, const Json::Value& more = Json::Value());
    static void AddBody(const engine::entity_handle& entity, glm::vec2 velocity, float restitution = 1.0f);
    static glm::vec2 Velocity(const engine::entity_handle& entity);
    static glm::vec2 Position(const engine::entity_handle& entity);

    DebugDraw debugDraw;
    Physics physics;
    std::vector<std::string> log;
    std::vector<Record> records;
};
