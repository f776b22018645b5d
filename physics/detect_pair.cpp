// Which test a pair calls for, by the two entities' components. A ray is
// tested only against colliders of its own shape's kind, and an entity with
// a ray never takes part in the physical tests. An entity with both a box
// and a circle is tested once for each combination that applies.
#include "physics/physics.h"

void Physics::DetectPair() {
    RefreshPair();
    const bool rayA = partsA.ray != nullptr, rayB = partsB.ray != nullptr;
    if (rayA && rayB) return;
    const bool boxes = partsA.box && partsB.box, circles = partsA.circle && partsB.circle;
    if (rayA && boxes) {
        lastResult = TestRay();
    } else if (rayB && boxes) {
        SwapPair();
        lastResult = TestRay();
    } else if (rayA && circles) {
        lastResult = TestRay();
    } else if (rayB && circles) {
        SwapPair();
        lastResult = TestRay();
    } else if (!rayA && !rayB) {
        // Each check looks again: a listener of the previous test may have
        // removed a collider.
        if (partsA.box && partsB.box) lastResult = TestBoxBox();
        RefreshPair();
        if (partsA.circle && partsB.circle) lastResult = TestCircleCircle();
        RefreshPair();
        if (partsA.box && partsB.circle) lastResult = TestBoxCircle(false);
        RefreshPair();
        if (partsA.circle && partsB.box) lastResult = TestBoxCircle(true);
    }
}
