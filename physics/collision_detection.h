#pragma once
// The narrow phase and the contact events. For the pair under test it runs
// the test that the two entities' colliders call for, stores a record of
// each touching pair in the contact list, and tells listeners through
// "OnCollisionStarted", "OnCollisionPersisted" and "OnCollisionEnded" when
// two entities start, keep on and stop touching.
//
// Listeners run inside a test and may add or remove components and create
// or destroy entities: nothing here keeps a component or an entity record
// across an event.

#include <cstdint>
#include <vector>

#include <glm/vec2.hpp>

#include "core/entity/entity_handle.h"
#include "physics/component_changes.h"

class BoxCollider;
class CircleCollider;
class Ray;
class RigidBody;

class CollisionDetection {
public:
    // What a collision event carries, and what the response works from.
    struct CollisionDataObj {
        engine::entity_handle entityA;
        engine::entity_handle entityB;
        // Two circles: B's centre minus A's (not normalised). Pairs with a
        // box: the unit normal from B towards A. Ended records: zero.
        glm::vec2 direction{0.0f, 0.0f};
        glm::vec2 secondVector{0.0f, 0.0f};  // always zero
        // B's velocity minus A's when both have a rigid body.
        glm::vec2 relativeVelocity{0.0f, 0.0f};
        glm::vec2 contactPoint{0.0f, 0.0f};  // two circles only
        // Circles: negative while overlapping; boxes: the positive depth.
        // The normalised direction times it always moves A out of B.
        float separation = 0.0f;
        uint8_t flag = 0;  // always 0
    };

    // An entity's physics components, found in one look-up. They are good
    // while no physics component is made or removed (listeners of the
    // collision events may do either): Refresh finds them again when one has
    // been since.
    struct Parts {
        engine::entity_handle entity;
        BoxCollider* box = nullptr;
        CircleCollider* circle = nullptr;
        Ray* ray = nullptr;
        RigidBody* body = nullptr;
        uint64_t foundAt = 0;  // the count of component changes when found

        // A box or a circle of the entity is static (or a ghost).
        bool IsStatic() const;
        bool IsGhost() const;
    };

    virtual ~CollisionDetection() = default;

    // Makes (a, b) the pair under test and runs the test it calls for.
    void TestPair(const engine::entity_handle& a, const engine::entity_handle& b);
    void TestPair(const Parts& a, const Parts& b);

    // All null for an entity that no longer exists.
    static Parts Find(const engine::entity_handle& entity);
    static void Refresh(Parts& parts) {
        if (parts.foundAt != component_changes::Count()) parts = Find(parts.entity);
    }

    // Each works on the pair under test and returns whether it touches.
    bool TestCircleCircle();
    bool TestBoxBox();
    // circleFirst: A is the circle and B the box (an entity may have both).
    bool TestBoxCircle(bool circleFirst);
    bool TestRay();

    // "OnCollisionPersisted" for a listed pair, else lists it and raises
    // "OnCollisionStarted".
    void ReportContact(const CollisionDataObj& record);
    // "OnCollisionEnded" and unlisting, when the pair under test is listed.
    void ReportSeparation();

    std::vector<CollisionDataObj> contacts;  // gathered during one step
    bool queryOnly = false;  // when set, tests only answer: no contact, no event
    bool lastResult = false;
    bool inTest = false;
    engine::entity_handle entityA;
    engine::entity_handle entityB;

protected:
    virtual void DetectPair() = 0;
    // The pair under test the other way round.
    void SwapPair();
    void RefreshPair() {
        Refresh(partsA);
        Refresh(partsB);
    }

    Parts partsA, partsB;  // of entityA and entityB
    uint64_t listenersRan = 0;  // events that ran a listener: each may have changed anything

private:
    bool Finish(bool touching, const CollisionDataObj& record);
    CollisionDataObj RecordFor(const Parts& a, const Parts& b) const;
};
