#include <vector>

#include "core/entity/entity_table.h"
#include "graphics/debug_draw.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/component_lookup.h"
#include "physics/pair_list.h"
#include "physics/physics.h"
#include "physics/rigid_body.h"

bool Physics::IsStatic(const engine::entity_handle& entity) const {
    if (ignore) return false;
    const BoxCollider* box = engine::FindComponent<BoxCollider>(entity);
    const CircleCollider* circle = engine::FindComponent<CircleCollider>(entity);
    return (box && box->IsStatic()) || (circle && circle->IsStatic());
}

bool Physics::IsGhost(const engine::entity_handle& entity) const {
    if (ignore) return false;
    const BoxCollider* box = engine::FindComponent<BoxCollider>(entity);
    const CircleCollider* circle = engine::FindComponent<CircleCollider>(entity);
    return (box && box->IsGhost()) || (circle && circle->IsGhost());
}

void Physics::Step(float dt, const ViewSize& view) {
    contacts.clear();
    pair_list::DropDestroyed();

    std::vector<engine::entity_handle> candidates;
    for (const engine::entity_handle& entity : engine::GetAllEntities())
        if (!Culled(entity, view)) candidates.push_back(entity);

    // Listeners of the tests' events run in here; every handle is checked
    // again before use. The tests draw their working in colours of their
    // own: the colour in force is put back after them.
    const glm::vec4 colour = DebugDraw::GetColor();
    for (size_t i = 0; i < candidates.size(); ++i) {
        for (size_t j = i; j < candidates.size(); ++j) {
            const engine::entity_handle a = candidates[i], b = candidates[j];
            if (a == b || !a.IsValid() || !b.IsValid()) continue;
            if (IsStatic(a) && IsStatic(b)) continue;
            TestPair(a, b);
        }
    }
    DebugDraw::SetColor(colour.r, colour.g, colour.b, colour.a);

    // Ghosts raise their events but are never pushed nor push.
    const std::vector<CollisionDataObj> gathered = std::move(contacts);
    contacts.clear();
    for (const CollisionDataObj& contact : gathered) {
        if (!contact.entityA.IsValid() || !contact.entityB.IsValid()) continue;
        if (IsGhost(contact.entityA) || IsGhost(contact.entityB)) continue;
        ResolvePair(contact);
    }

    for (const engine::entity_handle& entity : engine::GetAllEntities()) {
        RigidBody* body = engine::FindComponent<RigidBody>(entity);
        if (!body || IsStatic(entity)) continue;
        body->velocity += body->acceleration * dt;
        glm::vec3& position = entity.GetPosition();
        entity.SetPosition(position.x + body->velocity.x * dt, position.y + body->velocity.y * dt, position.z);
    }
}
