#pragma once
// Where a shape lies along an axis: the smallest and largest position of
// its points, measured along the axis (in units of the axis' length).

#include <glm/vec2.hpp>

struct Interval {
    float min;
    float max;
};

Interval ProjectPoints(const glm::vec2* points, int count, glm::vec2 axis);

// Strict: intervals that only meet at an end do not overlap.
inline bool Overlaps(Interval a, Interval b) { return a.max > b.min && b.max > a.min; }
// Closed: meeting at an end counts.
inline bool Touches(Interval a, Interval b) { return a.max >= b.min && b.max >= a.min; }
