// The shadow pass's arithmetic on the CPU: table lookups, tangent points and
// the triangles behind a caster.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <glm/geometric.hpp>

#include "graphics/shadow_geometry.h"

namespace {

using namespace shadow_geometry;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(ShadowTables, AnglesOfEveryKindReadAnEntryOfTheTable) {
    BuildTrigTables();
    const struct {
        float angle;
        int index;
    } cases[] = {
        {0.0f, 0},       {kTwoPi, 0},  // a full turn is the start again, not one past the end
        {kPi, 200},      {-0.01f, 399},  {kTwoPi + 0.01f, 0},
        {kNaN, 0},       {kInf, 0},      {-kInf, 0},
        {1e30f, 0},      {-1e30f, 0},  // out of reach of one correction, still in the table
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        const int index = TableIndex(c.angle);
        EXPECT_GE(index, 0);
        EXPECT_LT(index, kTableSize);
        if (std::isfinite(c.angle) && std::fabs(c.angle) < 100.0f) {
            EXPECT_EQ(index, c.index);
        }
    }
    EXPECT_NEAR(TableSin(kPi / 2.0f), 1.0f, 1e-4f);
    EXPECT_NEAR(TableCos(kPi), -1.0f, 1e-4f);
    EXPECT_EQ(TableSin(0.0f), 0.0f);
}

// The exact tangent points: the ellipse scaled to a unit circle, where the
// touching points lie acos(1 / distance) either side of the direction to the light.
std::pair<glm::vec2, glm::vec2> ExactTangents(const Ellipse& e, glm::vec2 light) {
    const glm::vec2 half(e.width / 2.0f, e.height / 2.0f);
    const glm::vec2 l = (light - e.centre) / half;
    const float towards = std::atan2(l.y, l.x);
    const float spread = std::acos(1.0f / glm::length(l));
    const auto at = [&](float angle) { return e.centre + half * glm::vec2(std::cos(angle), std::sin(angle)); };
    return {at(towards - spread), at(towards + spread)};
}

TEST(ShadowTangents, TouchTheEllipseOnEitherSideAsSeenFromTheLight) {
    BuildTrigTables();
    const struct {
        Ellipse caster;
        glm::vec2 light;
    } cases[] = {
        {{{0, 0}, 20, 20}, {-100, 0}},    // circle, light to the left
        {{{50, 30}, 20, 20}, {50, 200}},  // circle, light above
        {{{0, 0}, 40, 10}, {-60, -45}},   // wide ellipse, light below left
        {{{10, -5}, 6, 30}, {90, 70}},    // tall ellipse, light above right
    };
    for (const auto& c : cases) {
        const Tangents found = FindTangents(c.caster, c.light);
        const auto [a, b] = ExactTangents(c.caster, c.light);
        // The search stops within about a tenth of a radian of the parameter.
        const float tolerance = 0.1f * std::max(c.caster.width, c.caster.height) / 2.0f + 0.2f;
        const float direct = glm::distance(found.p1, a) + glm::distance(found.p2, b);
        const float crossed = glm::distance(found.p1, b) + glm::distance(found.p2, a);
        EXPECT_LT(std::min(direct, crossed), 2.0f * tolerance)
            << "p1 (" << found.p1.x << ", " << found.p1.y << ") p2 (" << found.p2.x << ", " << found.p2.y << ")";
        EXPECT_GT(glm::distance(found.p1, found.p2), c.caster.width / 4.0f);
    }
}

bool Degenerate(const Slot& slot, float value) {
    for (float f : slot)
        if (f != value) return false;
    return true;
}

TEST(ShadowSlot, CastersThatCannotShadowGiveTrianglesWithoutArea) {
    BuildTrigTables();
    const struct {
        Ellipse caster;
        glm::vec2 light;
        float radius;
        float fill;
    } cases[] = {
        {{{0, 0}, 10, 10}, {9, -9}, 100, 9},   // within twice the semi-axes
        {{{0, 0}, 10, 4}, {-3, 3.5f}, 100, -3},
        {{{0, 0}, 0, 10}, {-50, 0}, 100, -50},  // no width
        {{{0, 0}, 10, -1}, {-50, 0}, 100, -50},
        {{{0, 0}, kNaN, 10}, {-50, 0}, 100, -50},
        {{{0, 0}, 10, kInf}, {-50, 0}, 100, -50},
        {{{kNaN, 0}, 10, 10}, {-50, 0}, 100, -50},
        {{{0, 0}, 10, 10}, {-50, 0}, kInf, -50},
        {{{0, 0}, 10, 10}, {kNaN, 0}, 100, 0},
    };
    for (const auto& c : cases) {
        Slot slot;
        slot.fill(1234.0f);
        FillSlot(c.caster, c.light, c.radius, slot.data());
        EXPECT_TRUE(Degenerate(slot, c.fill)) << c.caster.width << " x " << c.caster.height << " light "
                                               << c.light.x << ", " << c.light.y;
    }
}

TEST(ShadowSlot, CoversTheSideAwayFromTheLightOutToTheRadius) {
    BuildTrigTables();
    const Ellipse caster{{0, 0}, 20, 20};
    const glm::vec2 light(-100, 0);
    Slot slot;
    FillSlot(caster, light, 150.0f, slot.data());
    const Tangents t = FindTangents(caster, light);
    // Vertices p2, q2, r, p2, r, q1, p2, q1, p1.
    const auto vertex = [&](int i) { return glm::vec2(slot[2 * i], slot[2 * i + 1]); };
    EXPECT_EQ(vertex(0), t.p2);
    EXPECT_EQ(vertex(8), t.p1);
    const glm::vec2 q1 = vertex(5), q2 = vertex(1);
    EXPECT_NEAR(glm::distance(q1, t.p1), 150.0f, 1e-3f);
    EXPECT_NEAR(glm::distance(q2, t.p2), 150.0f, 1e-3f);
    EXPECT_EQ(vertex(2), q1 + q2 - light);
    for (int i = 0; i < 9; ++i) EXPECT_GE(vertex(i).x, -10.5f) << i;  // never towards the light
}

}  // namespace
