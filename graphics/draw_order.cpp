#include "graphics/draw_order.h"

#include <cmath>

#include "core/entity/find_component.h"
#include "graphics/sprite.h"

namespace {

constexpr double kTolerance = 0.0001;

bool Apart(float difference) { return std::fabs(static_cast<double>(difference)) >= kTolerance; }

float YOffset(const engine::entity_handle& entity) {
    const Sprite* sprite = engine::FindComponent<Sprite>(entity);
    return sprite ? sprite->y_offset : 0.0f;
}

}  // namespace

bool DrawsBefore(glm::vec3 a, float aYOffset, glm::vec3 b, float bYOffset) {
    if (Apart(a.z - b.z)) return a.z > b.z;
    const float ka = a.y + aYOffset;
    const float kb = b.y + bYOffset;
    if (Apart(ka - kb)) return ka < kb;
    return a.x < b.x;
}

bool CompareDrawOrder(engine::entity_handle a, engine::entity_handle b) {
    return DrawsBefore(a.GetPosition(), YOffset(a), b.GetPosition(), YOffset(b));
}
