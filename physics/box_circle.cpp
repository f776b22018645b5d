// A box and a circle touch when they overlap, strictly, along x, along y and
// along the line from the box's centre to the circle's. The circle covers
// its centre's position plus and minus its radius on every axis. The normal
// is the axis of least penetration, pointing from B towards A whichever of
// the two is the box.
#include <cmath>

#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/collision_detection.h"
#include "physics/debug_shapes.h"
#include "physics/interval.h"
#include "physics/vec2_math.h"

namespace {

struct Contact {
    glm::vec2 normal{0.0f, 0.0f};  // moves the box out of the circle
    float depth = 0.0f;
    bool found = false;
};

Interval CircleOn(glm::vec2 center, float radius, glm::vec2 axis) {
    const float t = center.x * axis.x + center.y * axis.y;
    const float r = std::fabs(radius);
    return {t - r, t + r};
}

// An earlier axis keeps the contact unless a later one is strictly shallower.
void Consider(Contact& contact, float depth, glm::vec2 normal) {
    if (contact.found && !(depth < contact.depth)) return;
    contact = {normal, depth, true};
}

}  // namespace

bool CollisionDetection::TestBoxCircle(bool circleFirst) {
    RefreshPair();
    // The record keeps the pair as handed over; the test itself works with
    // the box first, and so does an ended record.
    const Parts handedA = partsA, handedB = partsB;
    if (circleFirst) SwapPair();
    BoxCollider* box = partsA.box;
    const CircleCollider* circle = partsB.circle;
    if (!box || !circle) return false;

    glm::vec2 corners[4];
    box->GetCorners(corners);
    const glm::vec2 center = circle->GetCenter();
    const float radius = circle->GetRadius();
    // From the box's centre to the circle's; x when the two coincide.
    const glm::vec2 boxCenter = box->GetCenter();
    const glm::vec2 u = Vec2NormalOr(center - boxCenter, {1.0f, 0.0f});
    const glm::vec2 axes[3] = {{1.0f, 0.0f}, {0.0f, 1.0f}, u};

    Contact contact;
    bool touching = true;
    const glm::vec2 extremes[2] = {center + radius * u, center - radius * u};
    for (int i = 0; i < 3; ++i) {
        debug_shapes::Projections(center, extremes, 2, axes[i]);
        debug_shapes::Projections(boxCenter, corners, 4, axes[i]);
        const Interval b = ProjectPoints(corners, 4, axes[i]);
        const Interval c = CircleOn(center, radius, axes[i]);
        if (!Overlaps(b, c)) {
            touching = false;
            break;
        }
        const float boxBelow = Vec2Distance(b.max * axes[i], c.min * axes[i]);
        const float boxAbove = Vec2Distance(c.max * axes[i], b.min * axes[i]);
        // Along u the box is pushed back along -u whichever end is nearer.
        const bool lineOfCentres = i == 2;
        if (boxBelow < boxAbove) {
            Consider(contact, boxBelow, -axes[i]);
        } else {
            Consider(contact, boxAbove, lineOfCentres ? -axes[i] : axes[i]);
        }
    }
    CollisionDataObj record;
    if (touching) {
        record = RecordFor(handedA, handedB);
        record.direction = circleFirst ? -contact.normal : contact.normal;
        record.separation = contact.depth;
    }
    return Finish(touching, record);
}
