// A ray (entity A) records the entity B its shape overlaps. Boxes are
// compared along each box's own edge axes, so a ray's rotated box is handled,
// and shapes that only meet at an edge count as overlapping. A ray whose
// shape is a circle, facing a circle without a box, compares the circles.
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/collision_detection.h"
#include "physics/component_lookup.h"
#include "physics/interval.h"
#include "physics/ray.h"
#include "physics/vec2_math.h"

namespace {

bool BoxesTouch(BoxCollider& a, BoxCollider& b) {
    glm::vec2 cornersA[4], cornersB[4];
    for (int i = 0; i < 4; ++i) {
        cornersA[i] = a.GetCorner(i);
        cornersB[i] = b.GetCorner(i);
    }
    for (BoxCollider* owner : {&a, &b}) {
        const int count = owner->GetAxisCount();
        for (int i = 0; i < count; ++i) {
            const glm::vec2 axis = owner->GetAxis(i);
            if (!Touches(ProjectPoints(cornersA, 4, axis), ProjectPoints(cornersB, 4, axis))) return false;
        }
    }
    return true;
}

bool CirclesTouch(const CircleCollider& a, const CircleCollider& b) {
    return Vec2Distance(a.GetCenter(), b.GetCenter()) <= a.GetRadius() + b.GetRadius();
}

}  // namespace

bool CollisionDetection::TestRay() {
    BoxCollider* boxA = FindComponent<BoxCollider>(entityA);
    BoxCollider* boxB = FindComponent<BoxCollider>(entityB);
    const CircleCollider* circleA = FindComponent<CircleCollider>(entityA);
    const CircleCollider* circleB = FindComponent<CircleCollider>(entityB);
    bool hit = false;
    if (boxA && boxB)
        hit = BoxesTouch(*boxA, *boxB);
    else if (circleA && circleB)
        hit = CirclesTouch(*circleA, *circleB);
    if (queryOnly) return hit;
    if (!hit) {
        ReportSeparation();
        return false;
    }
    if (Ray* ray = FindComponent<Ray>(entityA)) ray->AddHit(entityB);
    return true;
}
