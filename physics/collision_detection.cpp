#include "physics/collision_detection.h"

#include <utility>

#include "core/entity/find_component.h"
#include "core/events/events.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/pair_list.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"

CollisionDetection::Parts CollisionDetection::Find(const engine::entity_handle& entity) const {
    Parts parts;
    parts.entity = entity;
    parts.foundAt = eventsRaised;
    parts.box = engine::FindComponent<BoxCollider>(entity);
    parts.circle = engine::FindComponent<CircleCollider>(entity);
    parts.ray = engine::FindComponent<Ray>(entity);
    parts.body = engine::FindComponent<RigidBody>(entity);
    return parts;
}

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
    ++eventsRaised;
    if (pair_list::Contains(record.entityA, record.entityB)) {
        events::Call<CollisionDataObj>("OnCollisionPersisted", record);
        return;
    }
    pair_list::Add(record.entityA, record.entityB);
    events::Call<CollisionDataObj>("OnCollisionStarted", record);
}

void CollisionDetection::ReportSeparation() {
    if (!pair_list::Contains(entityA, entityB)) return;
    CollisionDataObj ended;
    ended.entityA = entityA;
    ended.entityB = entityB;
    // The pair under test may change while listeners run.
    const engine::entity_handle a = entityA, b = entityB;
    ++eventsRaised;
    events::Call<CollisionDataObj>("OnCollisionEnded", ended);
    pair_list::Remove(a, b);
}
