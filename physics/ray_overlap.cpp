// A ray (entity A) records the entity B its shape overlaps. Boxes are
// compared along each box's own edge axes, so a ray's rotated box is handled,
// and shapes that only meet at an edge count as overlapping. A ray whose
// shape is a circle, facing a circle without a box, compares the circles.
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/collision_detection.h"
#include "physics/debug_shapes.h"
#include "physics/interval.h"
#include "physics/ray.h"
#include "physics/vec2_math.h"

namespace {

// Overlap circles in these colours for the first four axes.
constexpr glm::vec4 kAxisColours[4] = {debug_shapes::kRed, debug_shapes::kGreen, debug_shapes::kBlue,
                                       debug_shapes::kMagenta};

bool BoxesTouch(BoxCollider& a, BoxCollider& b) {
    glm::vec2 cornersA[4], cornersB[4];
    a.GetCorners(cornersA);
    b.GetCorners(cornersB);
    debug_shapes::Line(debug_shapes::kGrey, a.GetCenter(), b.GetCenter());
    bool touching = true;
    int tested = 0;
    for (BoxCollider* owner : {&a, &b}) {
        const int count = owner->GetAxisCount();
        for (int i = 0; i < count; ++i, ++tested) {
            const glm::vec2 axis = owner->GetAxis(i);
            debug_shapes::Projections(b.GetCenter(), cornersB, 4, axis);
            debug_shapes::Projections(a.GetCenter(), cornersA, 4, axis);
            if (!Touches(ProjectPoints(cornersA, 4, axis), ProjectPoints(cornersB, 4, axis))) {
                touching = false;
                break;
            }
            if (tested < 4) debug_shapes::Circle(kAxisColours[tested], a.GetCenter(), 30.0f);
        }
        if (!touching) break;
    }
    return touching;
}

bool CirclesTouch(const CircleCollider& a, const CircleCollider& b) {
    return Vec2Distance(a.GetCenter(), b.GetCenter()) <= a.GetRadius() + b.GetRadius();
}

}  // namespace

bool CollisionDetection::TestRay() {
    RefreshPair();
    bool hit = false;
    if (partsA.box && partsB.box)
        hit = BoxesTouch(*partsA.box, *partsB.box);
    else if (partsA.circle && partsB.circle)
        hit = CirclesTouch(*partsA.circle, *partsB.circle);
    if (queryOnly) return hit;
    if (!hit) {
        ReportSeparation();
        return false;
    }
    debug_shapes::Circle(debug_shapes::kYellow, {0.0f, 0.0f}, 70.0f);
    if (partsA.ray) partsA.ray->AddHit(entityB);
    return true;
}
