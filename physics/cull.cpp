// Colliders far outside the view take no part in a step's pair tests. They
// are still moved by their velocity; culling never stops or removes anything.
#include <cmath>
#include <limits>

#include "graphics/camera.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/physics.h"

namespace {

// Half sizes of the shape around its centre; false for an entity with none.
bool Extent(const CollisionDetection::Parts& parts, glm::vec2& center, glm::vec2& half) {
    if (const BoxCollider* box = parts.box) {
        center = box->GetCenter();
        half = {box->GetWidth() * 0.5f, box->GetHeight() * 0.5f};
        return true;
    }
    if (const CircleCollider* circle = parts.circle) {
        center = circle->GetCenter();
        half = {circle->GetRadius(), circle->GetRadius()};
        return true;
    }
    return false;
}

// A size in world units that fits an int; none for an infinite one.
std::optional<int> WorldUnits(float pixels, float pixelScale) {
    const float units = pixels / pixelScale;
    if (!std::isfinite(units) || std::fabs(units) >= static_cast<float>(std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(units);
}

}  // namespace

bool Physics::Culled(const Parts& parts, const ViewSize& view) {
    if (parts.ray) return false;
    glm::vec2 center, half;
    if (!Extent(parts, center, half)) return true;
    if (!view) return false;
    const glm::vec3& camera = Camera::GetPosition();
    // Twenty per cent beyond each half of the view; touching its edge keeps it.
    const double halfWidth = static_cast<double>(view->x / 2) * 1.2;
    const double halfHeight = static_cast<double>(view->y / 2) * 1.2;
    const double cx = center.x, cy = center.y, hw = half.x, hh = half.y;
    return cx + hw < camera.x - halfWidth || cx - hw > camera.x + halfWidth || cy + hh < camera.y - halfHeight ||
           cy - hh > camera.y + halfHeight;
}

bool Physics::IsCulled(const engine::entity_handle& entity, int w, int h) {
    return Culled(Find(entity), glm::ivec2(w, h));
}

// A zoom of 0 makes the view infinite; a negative zoom mirrors the picture
// but shows as much of the world as the positive one.
Physics::ViewSize Physics::CameraView() {
    const glm::vec2 letterbox = Camera::GetLetterboxSize();
    const float scale = std::fabs(static_cast<float>(Camera::PixelScale()));
    const std::optional<int> w = WorldUnits(letterbox.x, scale), h = WorldUnits(letterbox.y, scale);
    if (!w || !h) return std::nullopt;
    return glm::ivec2(*w, *h);
}
