#include "physics/ray.h"

#include <algorithm>

#include "physics/component_lookup.h"
#include "physics/vec2_math.h"

void Ray::AddHit(const engine::entity_handle& hit) {
    std::erase_if(hits, [&](const engine::entity_handle& listed) {
        return listed.GetId() == 0 || listed == hit || !listed.IsValid();
    });
    const glm::vec2 from = ShapeCenter(owner);
    const float distance = Vec2Distance(from, ShapeCenter(hit));
    auto place = std::find_if(hits.begin(), hits.end(), [&](const engine::entity_handle& listed) {
        return Vec2Distance(from, ShapeCenter(listed)) >= distance;
    });
    hits.insert(place, hit);
    closestHit = hits.front();
}
