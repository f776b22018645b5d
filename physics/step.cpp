#include <vector>

#include "core/entity/entity_table.h"
#include "graphics/debug_draw.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/pair_list.h"
#include "physics/physics.h"
#include "physics/rigid_body.h"

namespace {

bool StaticShape(const CollisionDetection::Parts& parts) {
    return (parts.box && parts.box->IsStatic()) || (parts.circle && parts.circle->IsStatic());
}

bool GhostShape(const CollisionDetection::Parts& parts) {
    return (parts.box && parts.box->IsGhost()) || (parts.circle && parts.circle->IsGhost());
}

}  // namespace

void Physics::Step(float dt, const ViewSize& view) {
    contacts.clear();
    pair_list::DropDestroyed();

    std::vector<Parts> candidates;
    for (const engine::entity_handle& entity : engine::GetAllEntities())
        if (!Culled(entity, view)) candidates.push_back(Find(entity));

    // Listeners of the tests' events run in here: each candidate's
    // components are found again after one has run. The tests draw their
    // working in colours of their own; the colour in force is put back.
    // A listener that empties the whole table (ids then start again, so old
    // handles may name new entities) ends the step there.
    const glm::vec4 colour = DebugDraw::GetColor();
    const uint32_t generation = engine::GetGeneration();
    for (size_t i = 0; i < candidates.size() && generation == engine::GetGeneration(); ++i) {
        for (size_t j = i; j < candidates.size() && generation == engine::GetGeneration(); ++j) {
            Parts& a = candidates[i];
            Parts& b = candidates[j];
            if (a.entity == b.entity) continue;
            Refresh(a);
            Refresh(b);
            if (!ignore && StaticShape(a) && StaticShape(b)) continue;
            TestPair(a, b);
        }
    }
    DebugDraw::SetColor(colour.r, colour.g, colour.b, colour.a);
    if (generation != engine::GetGeneration()) {
        contacts.clear();
        return;
    }

    // Ghosts raise their events but are never pushed nor push.
    const std::vector<CollisionDataObj> gathered = std::move(contacts);
    contacts.clear();
    for (const CollisionDataObj& contact : gathered) {
        const Parts a = Find(contact.entityA), b = Find(contact.entityB);
        if (!ignore && (GhostShape(a) || GhostShape(b))) continue;
        ResolvePair(contact);
    }

    for (const engine::entity_handle& entity : engine::GetAllEntities()) {
        const Parts parts = Find(entity);
        if (!parts.body || StaticShape(parts)) continue;
        parts.body->velocity += parts.body->acceleration * dt;
        glm::vec3& position = entity.GetPosition();
        entity.SetPosition(position.x + parts.body->velocity.x * dt, position.y + parts.body->velocity.y * dt,
                           position.z);
    }
}
