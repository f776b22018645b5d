// Two boxes touch when their extents overlap, strictly, along x and along y
// (boxes meeting at an edge do not touch). The normal is the direction of
// least penetration, pointing from B towards A.
#include "physics/box_collider.h"
#include "physics/collision_detection.h"
#include "physics/debug_shapes.h"
#include "physics/interval.h"
#include "physics/vec2_math.h"

namespace {

struct Corners {
    glm::vec2 points[4];
};

Corners CornersOf(BoxCollider& box) {
    Corners corners;
    box.GetCorners(corners.points);
    return corners;
}

// Depth is the distance between facing ends, measured as points on the axis.
float Depth(float from, float to, glm::vec2 axis) { return Vec2Distance(from * axis, to * axis); }

}  // namespace

bool CollisionDetection::TestBoxBox() {
    RefreshPair();
    BoxCollider* a = partsA.box;
    BoxCollider* b = partsB.box;
    if (!a || !b) return false;
    const Corners cornersA = CornersOf(*a), cornersB = CornersOf(*b);
    const glm::vec2 centerA = a->GetCenter(), centerB = b->GetCenter();
    const glm::vec2 x(1.0f, 0.0f), y(0.0f, 1.0f);
    debug_shapes::Line(debug_shapes::kGrey, centerA, centerB);
    for (glm::vec2 axis : {x, y}) debug_shapes::Projections(centerB, cornersB.points, 4, axis);
    for (glm::vec2 axis : {x, y}) debug_shapes::Projections(centerA, cornersA.points, 4, axis);
    // Physical boxes are never rotated (only a ray's box is), so their
    // extents along the world axes are their projections on their own axes.
    const Interval ax = ProjectPoints(cornersA.points, 4, x), bx = ProjectPoints(cornersB.points, 4, x);
    debug_shapes::Line(debug_shapes::kRed, bx.min * x, bx.max * x);

    glm::vec2 normal(0.0f, 0.0f);
    float depth = 0.0f;
    const bool alongX = Overlaps(ax, bx);
    bool alongY = false;
    if (alongX) {
        debug_shapes::Circle(debug_shapes::kYellow, centerA, 30.0f);
        const float d1 = Depth(ax.max, bx.min, x), d2 = Depth(bx.max, ax.min, x);
        if (d1 < d2) {
            normal = -x;
            depth = d1;
        } else {
            normal = x;
            depth = d2;
        }
        // Apart along x they cannot touch, whatever they do along y.
        const Interval ay = ProjectPoints(cornersA.points, 4, y), by = ProjectPoints(cornersB.points, 4, y);
        debug_shapes::Line(debug_shapes::kRed, by.min * y, by.max * y);
        alongY = Overlaps(ay, by);
        if (alongY) {
            debug_shapes::Circle(debug_shapes::kMagenta, centerB, 30.0f);
            const float d3 = Depth(ay.max, by.min, y);
            if (depth > d3) {
                normal = -y;
                depth = d3;
            }
            const float d4 = Depth(by.max, ay.min, y);
            if (depth > d4) {
                normal = y;
                depth = d4;
            }
        }
    }
    const bool touching = alongX && alongY;
    CollisionDataObj record;
    if (touching) {
        record = RecordFor(partsA, partsB);
        record.direction = normal;
        record.separation = depth;
    }
    return Finish(touching, record);
}
