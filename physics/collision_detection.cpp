#include "physics/collision_detection.h"

#include <utility>

#include "core/entity/entity_base.h"
#include "core/events/events.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/pair_list.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"

namespace {

template <typename T>
T* Held(engine::entity_base& base) {
    const auto found = base.components.find(BaseComponent<T>::ID);
    return found == base.components.end() ? nullptr : static_cast<T*>(found->second.get());
}

}  // namespace

// The handle is resolved once for all four.
CollisionDetection::Parts CollisionDetection::Find(const engine::entity_handle& entity) {
    Parts parts;
    parts.entity = entity;
    parts.foundAt = component_changes::Count();
    if (!entity.IsValid()) return parts;
    engine::entity_base& base = entity.GetBaseEntity();
    parts.box = Held<BoxCollider>(base);
    parts.circle = Held<CircleCollider>(base);
    parts.ray = Held<Ray>(base);
    parts.body = Held<RigidBody>(base);
    return parts;
}

bool CollisionDetection::Parts::IsStatic() const {
    return (box && box->IsStatic()) || (circle && circle->IsStatic());
}

bool CollisionDetection::Parts::IsGhost() const { return (box && box->IsGhost()) || (circle && circle->IsGhost()); }

void CollisionDetection::TestPair(const engine::entity_handle& a, const engine::entity_handle& b) {
    TestPair(Find(a), Find(b));
}

void CollisionDetection::TestPair(const Parts& a, const Parts& b) {
    entityA = a.entity;
    entityB = b.entity;
    partsA = a;
    partsB = b;
    inTest = true;
    DetectPair();
    inTest = false;
}

void CollisionDetection::SwapPair() {
    std::swap(entityA, entityB);
    std::swap(partsA, partsB);
}

// Relative velocity needs both bodies; call with the parts refreshed.
CollisionDetection::CollisionDataObj CollisionDetection::RecordFor(const Parts& a, const Parts& b) const {
    CollisionDataObj record;
    record.entityA = a.entity;
    record.entityB = b.entity;
    if (a.body && b.body) record.relativeVelocity = b.body->velocity - a.body->velocity;
    return record;
}

// The common ending of the physical tests.
bool CollisionDetection::Finish(bool touching, const CollisionDataObj& record) {
    if (queryOnly) return touching;
    if (touching) {
        contacts.push_back(record);
        ReportContact(record);
    } else {
        ReportSeparation();
    }
    return touching;
}

void CollisionDetection::ReportContact(const CollisionDataObj& record) {
    if (pair_list::Contains(record.entityA, record.entityB)) {
        if (events::Call<CollisionDataObj>("OnCollisionPersisted", record)) ++listenersRan;
        return;
    }
    pair_list::Add(record.entityA, record.entityB);
    if (events::Call<CollisionDataObj>("OnCollisionStarted", record)) ++listenersRan;
}

void CollisionDetection::ReportSeparation() {
    if (!pair_list::Contains(entityA, entityB)) return;
    CollisionDataObj ended;
    ended.entityA = entityA;
    ended.entityB = entityB;
    // The pair under test may change while listeners run.
    const engine::entity_handle a = entityA, b = entityB;
    if (events::Call<CollisionDataObj>("OnCollisionEnded", ended)) ++listenersRan;
    pair_list::Remove(a, b);
}
