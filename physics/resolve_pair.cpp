// The response to one touching pair: each non-static collider of the two is
// moved by the full separation along the record's direction, then the two
// bodies exchange an impulse along it (equal masses, the smaller
// restitution). An entity with both a box and a circle is moved and bounced
// once for each.
#include <cmath>

#include "core/entity/find_component.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/physics.h"
#include "physics/rigid_body.h"

namespace {

// How many non-static colliders the entity has: each one moves it once.
int MovingColliders(const engine::entity_handle& entity) {
    const CircleCollider* circle = engine::FindComponent<CircleCollider>(entity);
    const BoxCollider* box = engine::FindComponent<BoxCollider>(entity);
    return (circle && !circle->IsStatic() ? 1 : 0) + (box && !box->IsStatic() ? 1 : 0);
}

void Displace(const engine::entity_handle& entity, glm::vec2 by, int times) {
    for (int i = 0; i < times; ++i) {
        const glm::vec3 position = entity.GetPosition();
        entity.SetPosition(position.x + by.x, position.y + by.y, position.z);
    }
}

}  // namespace

void Physics::ResolvePair(CollisionDataObj contact) {
    RigidBody* bodyA = engine::FindComponent<RigidBody>(contact.entityA);
    RigidBody* bodyB = engine::FindComponent<RigidBody>(contact.entityB);
    if (!bodyA || !bodyB) return;
    const float restitution = bodyB->restitution <= bodyA->restitution ? bodyB->restitution : bodyA->restitution;
    const glm::vec2 d = contact.direction;
    const float lengthSquared = d.x * d.x + d.y * d.y;
    // A record without a direction has no normal to push along.
    if (!(lengthSquared > 0.0f) || !std::isfinite(lengthSquared)) return;
    const glm::vec2 n = d * (1.0f / static_cast<float>(std::sqrt(static_cast<double>(lengthSquared))));
    const float vn = contact.relativeVelocity.x * n.x + contact.relativeVelocity.y * n.y;
    if (vn == 0.0f) return;
    const float m = RigidBody::kMass;
    const float j = -(1.0f + restitution) * vn;
    const float impulse = m != 0.0f ? j / (1.0f / m + 1.0f / m) : j;
    const glm::vec2 p = impulse * n;

    const int movesA = MovingColliders(contact.entityA), movesB = MovingColliders(contact.entityB);
    Displace(contact.entityA, n * contact.separation, movesA);
    Displace(contact.entityB, -n * contact.separation, movesB);
    for (int i = 0; i < movesB; ++i) bodyB->velocity += p / m;
    for (int i = 0; i < movesA; ++i) bodyA->velocity -= p / m;
}
