#include "physics/collision_detection.h"

#include "core/events/events.h"
#include "physics/component_lookup.h"
#include "physics/pair_list.h"
#include "physics/rigid_body.h"

void CollisionDetection::TestPair(const engine::entity_handle& a, const engine::entity_handle& b) {
    entityA = a;
    entityB = b;
    inTest = true;
    DetectPair();
    inTest = false;
}

CollisionDetection::CollisionDataObj CollisionDetection::RecordFor(const engine::entity_handle& a,
                                                                   const engine::entity_handle& b) const {
    CollisionDataObj record;
    record.entityA = a;
    record.entityB = b;
    const RigidBody* bodyA = engine::FindComponent<RigidBody>(a);
    const RigidBody* bodyB = engine::FindComponent<RigidBody>(b);
    if (bodyA && bodyB) record.relativeVelocity = bodyB->velocity - bodyA->velocity;
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
    events::Call<CollisionDataObj>("OnCollisionEnded", ended);
    pair_list::Remove(a, b);
}
