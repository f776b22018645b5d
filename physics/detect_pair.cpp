// Which test a pair calls for, by the two entities' components. A ray is
// tested only against colliders of its own shape's kind, and an entity with
// a ray never takes part in the physical tests. An entity with both a box
// and a circle is tested once for each combination that applies.
#include <utility>

#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/component_lookup.h"
#include "physics/physics.h"
#include "physics/ray.h"

namespace {

template <typename T>
bool Has(const engine::entity_handle& entity) {
    return engine::FindComponent<T>(entity) != nullptr;
}

}  // namespace

void Physics::DetectPair() {
    const bool rayA = Has<Ray>(entityA), rayB = Has<Ray>(entityB);
    if (rayA && rayB) return;
    if (rayA && Has<BoxCollider>(entityA) && Has<BoxCollider>(entityB)) {
        lastResult = TestRay();
    } else if (rayB && Has<BoxCollider>(entityA) && Has<BoxCollider>(entityB)) {
        std::swap(entityA, entityB);
        lastResult = TestRay();
    } else if (rayA && Has<CircleCollider>(entityA) && Has<CircleCollider>(entityB)) {
        lastResult = TestRay();
    } else if (rayB && Has<CircleCollider>(entityA) && Has<CircleCollider>(entityB)) {
        std::swap(entityA, entityB);
        lastResult = TestRay();
    } else if (!rayA && !rayB) {
        // Each check looks again: a listener of the previous test may have
        // removed a collider.
        if (Has<BoxCollider>(entityA) && Has<BoxCollider>(entityB)) lastResult = TestBoxBox();
        if (Has<CircleCollider>(entityA) && Has<CircleCollider>(entityB)) lastResult = TestCircleCircle();
        if (Has<BoxCollider>(entityA) && Has<CircleCollider>(entityB)) lastResult = TestBoxCircle(false);
        if (Has<CircleCollider>(entityA) && Has<BoxCollider>(entityB)) lastResult = TestBoxCircle(true);
    }
}
