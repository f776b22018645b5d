#include <cmath>
#include <vector>

#include "core/entity/entity_table.h"
#include "graphics/debug_draw.h"
#include "physics/pair_list.h"
#include "physics/physics.h"
#include "physics/rigid_body.h"

void Physics::Step(float dt, const ViewSize& view) {
    contacts.clear();
    pair_list::DropDestroyed();

    // Every live entity's components, found once: culling, the pair tests
    // and the integration all start from them.
    std::vector<Parts> everyone;
    everyone.reserve(engine::GetAllEntities().size());
    for (const engine::entity_handle& entity : engine::GetAllEntities()) everyone.push_back(Find(entity));
    std::vector<Parts> candidates;
    for (const Parts& parts : everyone)
        if (!Culled(parts, view)) candidates.push_back(parts);

    // The tests draw their working in colours of their own; the colour in
    // force is put back.
    const glm::vec4 colour = DebugDraw::GetColor();
    const uint32_t generation = engine::GetGeneration();
    TestCandidatePairs(candidates);
    DebugDraw::SetColor(colour.r, colour.g, colour.b, colour.a);
    if (generation != engine::GetGeneration()) {
        contacts.clear();
        return;
    }

    // Ghosts raise their events but are never pushed nor push.
    const std::vector<CollisionDataObj> gathered = std::move(contacts);
    contacts.clear();
    for (const CollisionDataObj& contact : gathered) {
        if (!ignore && (Find(contact.entityA).IsGhost() || Find(contact.entityB).IsGhost())) continue;
        ResolvePair(contact);
    }

    // Entities made by listeners hold no rigid body unless a physics
    // component was made, and then every entity is looked up again.
    const bool unchanged = !everyone.empty() && everyone.front().foundAt == component_changes::Count();
    if (!unchanged) {
        everyone.clear();
        for (const engine::entity_handle& entity : engine::GetAllEntities()) everyone.push_back(Find(entity));
    }
    for (const Parts& parts : everyone) {
        if (!parts.body || parts.IsStatic()) continue;
        parts.body->velocity += parts.body->acceleration * dt;
        glm::vec3& position = parts.entity.GetPosition();
        position = {position.x + parts.body->velocity.x * dt, position.y + parts.body->velocity.y * dt, position.z};
    }
}

void Physics::Update(float dt) { Update(dt, CameraView()); }

// A frame's time is split into equal steps no longer than kLongestStep, so a
// body moves at most its speed over thirty between two tests of its pairs
// and a slow or stalled frame cannot carry it through a wall. Frames at 30
// frames a second or faster are one step, exactly as handed over.
void Physics::Update(float dt, const ViewSize& view) {
    // A time that is not a finite number cannot be split.
    if (!(dt > kLongestStep) || !std::isfinite(dt)) return Step(dt, view);
    const double steps = std::ceil(static_cast<double>(dt) / kLongestStep);
    const float each = static_cast<float>(dt / steps);
    for (double step = 0; step < steps; ++step) Step(each, view);
}
