#include "graphics/shadow_geometry.h"

#include <cmath>

namespace shadow_geometry {

namespace {

std::array<float, kTableSize> sineTable{};
std::array<float, kTableSize> cosineTable{};

// Zero exactly where the line from the light through `point` touches the
// ellipse: the discriminant of that line against the ellipse's equation.
float Discriminant(const Ellipse& caster, glm::vec2 light, glm::vec2 point) {
    const float a = caster.width / 2.0f, b = caster.height / 2.0f;
    const glm::vec2 u = point - light;
    const glm::vec2 e = light - caster.centre;
    const float a2 = a * a, b2 = b * b;
    const float A = b2 * u.x * u.x + a2 * u.y * u.y;
    const float B = 2.0f * (a2 * e.y * u.y + b2 * e.x * u.x);
    const float K = a2 * e.y * e.y + b2 * e.x * e.x - a2 * b2;
    return B * B - 4.0f * A * K;
}

glm::vec2 PointAt(const Ellipse& caster, float t) {
    return {caster.centre.x + caster.width / 2.0f * TableCos(t), caster.centre.y + caster.height / 2.0f * TableSin(t)};
}

glm::vec2 Search(const Ellipse& caster, glm::vec2 light, float lo, float hi) {
    while (std::fabs(hi - lo) > 0.1f) {
        const float t1 = 0.75f * lo + 0.25f * hi;
        const float t2 = 0.25f * lo + 0.75f * hi;
        const float mid = (lo + hi) / 2.0f;
        if (Discriminant(caster, light, PointAt(caster, t2)) > Discriminant(caster, light, PointAt(caster, t1)))
            hi = mid;
        else
            lo = mid;
    }
    return PointAt(caster, (lo + hi) / 2.0f);
}

bool Finite(glm::vec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }

glm::vec2 Beyond(glm::vec2 point, glm::vec2 light, float radius) {
    const glm::vec2 away = point - light;
    const float length = static_cast<float>(std::sqrt(double{away.x} * away.x + double{away.y} * away.y));
    return point + radius * away / length;
}

}  // namespace

void BuildTrigTables() {
    for (int i = 0; i < kTableSize; ++i) {
        const float angle = static_cast<float>(i) * kTwoPi / static_cast<float>(kTableSize);
        sineTable[i] = static_cast<float>(std::sin(double{angle}));
        cosineTable[i] = static_cast<float>(std::cos(double{angle}));
    }
}

int TableIndex(float angle) {
    if (!std::isfinite(angle)) return 0;
    if (angle < 0.0f) angle += kTwoPi;
    if (angle > kTwoPi) angle -= kTwoPi;
    // More than a turn out of range: no caller gets here, but the index must
    // stay in the table.
    if (angle < 0.0f || angle > kTwoPi) {
        angle = std::fmod(angle, kTwoPi);
        if (angle < 0.0f) angle += kTwoPi;
    }
    const int index = static_cast<int>(angle * 63.661976f);
    return index >= kTableSize ? index - kTableSize : index;  // exactly 2 pi is entry 0
}

float TableSin(float angle) { return sineTable[TableIndex(angle)]; }

float TableCos(float angle) { return cosineTable[TableIndex(angle)]; }

Tangents FindTangents(const Ellipse& caster, glm::vec2 light) {
    const float a = caster.width / 2.0f, b = caster.height / 2.0f;
    const glm::vec2 d = caster.centre - light;
    const double length = std::sqrt(double{d.x} * d.x + double{d.y} * d.y);
    const float theta0 =
        static_cast<float>(std::atan2(-(double{d.y} / length) / double{b}, -(double{d.x} / length) / double{a}));
    return {Search(caster, light, theta0, theta0 + kPi), Search(caster, light, theta0 + 2.0f * kPi, theta0 + kPi)};
}

void FillSlot(const Ellipse& caster, glm::vec2 light, float radius, float* slot) {
    const glm::vec2 c = caster.centre;
    const bool drawable = Finite(c) && Finite(light) && std::isfinite(radius) && std::isfinite(caster.width) &&
                          std::isfinite(caster.height) && caster.width > 0.0f && caster.height > 0.0f;
    const bool lightInside = light.x > c.x - caster.width && light.x < c.x + caster.width &&
                             light.y > c.y - caster.height && light.y < c.y + caster.height;
    if (!drawable || lightInside) {
        const float degenerate = std::isfinite(light.x) ? light.x : 0.0f;
        for (int i = 0; i < kSlotFloats; ++i) slot[i] = degenerate;
        return;
    }
    const Tangents tangents = FindTangents(caster, light);
    const glm::vec2 q1 = Beyond(tangents.p1, light, radius);
    const glm::vec2 q2 = Beyond(tangents.p2, light, radius);
    const glm::vec2 r = q1 + q2 - light;
    const glm::vec2 vertices[9] = {tangents.p2, q2, r, tangents.p2, r, q1, tangents.p2, q1, tangents.p1};
    for (int i = 0; i < 9; ++i) {
        slot[2 * i] = vertices[i].x;
        slot[2 * i + 1] = vertices[i].y;
    }
}

}  // namespace shadow_geometry
