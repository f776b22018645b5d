// Two circles touch when their centres are no farther apart than the sum of
// their radii (tangent circles touch).
#include "physics/circle_collider.h"
#include "physics/collision_detection.h"
#include "physics/vec2_math.h"

bool CollisionDetection::TestCircleCircle() {
    RefreshPair();
    const CircleCollider* a = partsA.circle;
    const CircleCollider* b = partsB.circle;
    if (!a || !b) return false;
    const glm::vec2 centerA = a->GetCenter(), centerB = b->GetCenter();
    const float radiusA = a->GetRadius(), radiusB = b->GetRadius();
    const glm::vec2 d = centerB - centerA;
    const float distance = Vec2Length(d);
    const bool touching = radiusA + radiusB >= distance;
    CollisionDataObj record;
    if (touching) {
        record = RecordFor(partsA, partsB);
        // Coincident centres have no line between them: push along x.
        const glm::vec2 u = Vec2NormalOr(d, {1.0f, 0.0f});
        const glm::vec2 surfaceA = centerA + radiusA * u;
        const glm::vec2 surfaceB = centerB - radiusB * u;
        record.direction = distance > 0.0f ? d : u;
        record.contactPoint = (surfaceA + surfaceB) / 2.0f;
        // The overlap, whether or not A's centre lies inside B.
        record.separation = distance - radiusA - radiusB;
    }
    return Finish(touching, record);
}
