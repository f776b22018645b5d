#include "physics/broad_phase.h"

#include <algorithm>
#include <cmath>

#include <glm/common.hpp>

#include "physics/box_collider.h"
#include "physics/circle_collider.h"

namespace broad_phase {
namespace {

// Far more than the tests' rounding: a few units in the last place of the
// coordinates, and the distances of two circles whose squares underflow.
constexpr float kRelativePad = 1.0f / 65536.0f;
constexpr float kPad = 1.0f / 65536.0f;

void Include(Bounds& bounds, glm::vec2 low, glm::vec2 high) {
    if (bounds.nowhere) {
        bounds.min = low;
        bounds.max = high;
        bounds.nowhere = false;
        return;
    }
    bounds.min = glm::min(bounds.min, low);
    bounds.max = glm::max(bounds.max, high);
}

bool Finite(glm::vec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }

float Widened(float bound, float direction) {
    return bound + direction * (std::fabs(bound) * kRelativePad + kPad);
}

bool Meet(const Bounds& a, const Bounds& b) {
    return a.min.y <= b.max.y && b.min.y <= a.max.y && a.min.x <= b.max.x && b.min.x <= a.max.x;
}

}  // namespace

Bounds Everywhere() {
    Bounds bounds;
    bounds.everywhere = true;
    bounds.nowhere = false;
    return bounds;
}

Bounds Of(const CollisionDetection::Parts& parts) {
    if (parts.ray) return Everywhere();
    Bounds bounds;
    if (parts.box) {
        // The corners exactly as the tests read them.
        glm::vec2 corners[4];
        parts.box->GetCorners(corners);
        for (const glm::vec2& corner : corners) {
            // Taking the least and greatest would pass over a corner that is
            // not a number.
            if (!Finite(corner)) return Everywhere();
            Include(bounds, corner, corner);
        }
    }
    if (parts.circle) {
        const glm::vec2 center = parts.circle->GetCenter();
        const float radius = std::fabs(parts.circle->GetRadius());
        if (!Finite(center) || !std::isfinite(radius)) return Everywhere();
        Include(bounds, center - radius, center + radius);
    }
    if (bounds.nowhere) return bounds;
    bounds.min = {Widened(bounds.min.x, -1.0f), Widened(bounds.min.y, -1.0f)};
    bounds.max = {Widened(bounds.max.x, 1.0f), Widened(bounds.max.y, 1.0f)};
    for (float bound : {bounds.min.x, bounds.min.y, bounds.max.x, bounds.max.y})
        if (!std::isfinite(bound)) return Everywhere();
    return bounds;
}

void Sweep::Build(const std::vector<Bounds>& bounds, uint32_t start) {
    from = start;
    const uint32_t count = static_cast<uint32_t>(bounds.size());
    order.clear();
    for (uint32_t k = from; k < count; ++k)
        if (!bounds[k].nowhere && !bounds[k].everywhere) order.push_back(k);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return bounds[a].min.x < bounds[b].min.x; });

    pairs.clear();
    for (size_t i = 0; i < order.size(); ++i) {
        const Bounds& a = bounds[order[i]];
        for (size_t j = i + 1; j < order.size() && bounds[order[j]].min.x <= a.max.x; ++j) {
            if (!Meet(a, bounds[order[j]])) continue;
            const uint64_t low = std::min(order[i], order[j]), high = std::max(order[i], order[j]);
            pairs.push_back(low << 32 | high);
        }
    }
    std::sort(pairs.begin(), pairs.end());

    partners.resize(pairs.size());
    rowStart.assign(count - from + 1, 0);
    for (size_t p = 0; p < pairs.size(); ++p) {
        partners[p] = static_cast<uint32_t>(pairs[p]);
        ++rowStart[(pairs[p] >> 32) - from + 1];
    }
    for (size_t row = 1; row < rowStart.size(); ++row) rowStart[row] += rowStart[row - 1];
}

}  // namespace broad_phase
