#include "physics/interval.h"

#include <algorithm>

Interval ProjectPoints(const glm::vec2* points, int count, glm::vec2 axis) {
    const float lengthSquared = axis.x * axis.x + axis.y * axis.y;
    Interval interval{0.0f, 0.0f};
    for (int i = 0; i < count; ++i) {
        const float t = (points[i].x * axis.x + points[i].y * axis.y) / lengthSquared;
        interval.min = i == 0 ? t : std::min(interval.min, t);
        interval.max = i == 0 ? t : std::max(interval.max, t);
    }
    return interval;
}
