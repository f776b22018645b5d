#include "tests/physics/physics_world.h"

#include "core/engine/register_all.h"
#include "core/entity/entity_table.h"
#include "core/entity/find_component.h"
#include "core/events/events.h"
#include "physics/rigid_body.h"

namespace {

constexpr const char* kEvents[] = {"OnCollisionStarted", "OnCollisionPersisted", "OnCollisionEnded"};

}  // namespace

PhysicsWorld::PhysicsWorld() {
    components::RegisterAll();
    physics.Init();
    for (const char* event : kEvents) {
        const std::string word = std::string(event).substr(std::string("OnCollision").size());
        events::Connect<Record>(event, "TestLog", [this, word](Record record) {
            log.push_back(word + " " + std::to_string(record.entityA.GetId()) + " " +
                          std::to_string(record.entityB.GetId()));
            records.push_back(record);
        });
    }
}

PhysicsWorld::~PhysicsWorld() { engine::DestroyAllEntities(); }

engine::entity_handle PhysicsWorld::Circle(float x, float y, float radius, const Json::Value& more) {
    const engine::entity_handle entity = engine::CreateEntity();
    entity.SetPosition(x, y, 0.0f);
    Json::Value keys = more.isNull() ? Json::Value(Json::objectValue) : more;
    keys["Circle Radius"] = radius;
    entity.AddComponent("CircleCollider", keys);
    return entity;
}

engine::entity_handle PhysicsWorld::Box(float x, float y, float width, float height, const Json::Value& more) {
    const engine::entity_handle entity = engine::CreateEntity();
    entity.SetPosition(x, y, 0.0f);
    Json::Value keys = more.isNull() ? Json::Value(Json::objectValue) : more;
    keys["Box Width"] = width;
    keys["Box Height"] = height;
    entity.AddComponent("BoxCollider", keys);
    return entity;
}

void PhysicsWorld::AddBody(const engine::entity_handle& entity, glm::vec2 velocity, float restitution) {
    Json::Value keys(Json::objectValue);
    keys["vel_x"] = velocity.x;
    keys["vel_y"] = velocity.y;
    keys["restitution"] = restitution;
    entity.AddComponent("RigidBody", keys);
}

glm::vec2 PhysicsWorld::Velocity(const engine::entity_handle& entity) {
    return engine::FindComponent<RigidBody>(entity)->velocity;
}

glm::vec2 PhysicsWorld::Position(const engine::entity_handle& entity) {
    const glm::vec3 position = entity.GetPosition();
    return {position.x, position.y};
}
