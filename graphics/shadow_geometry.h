#pragma once
// The shadow pass's geometry as plain functions: the trigonometry tables, the
// tangent points of a caster's ellipse as seen from a light, and the three
// triangles of the shadow behind it. All in world units.

#include <array>

#include <glm/vec2.hpp>

namespace shadow_geometry {

constexpr int kTableSize = 400;
constexpr float kTwoPi = 6.2831855f;
constexpr float kPi = 3.1415927f;

// Fills the sine and cosine tables; the lookups below read them.
void BuildTrigTables();
// The table entry of an angle, which is brought into 0 to 2 pi by at most one
// turn each way. 2 pi itself wraps to entry 0; so does an angle that is not
// finite, for which callers make no use of the result.
int TableIndex(float angle);
float TableSin(float angle);
float TableCos(float angle);

// The ellipse of a shadow caster: centre and full width and height; its
// semi-axes are half of them.
struct Ellipse {
    glm::vec2 centre;
    float width, height;
};

struct Tangents {
    glm::vec2 p1, p2;
};
// The two points where lines from the light touch the ellipse, found by a
// bisection on the line's discriminant over two half turns of the ellipse's
// parameter, starting at the point facing the light.
Tangents FindTangents(const Ellipse& caster, glm::vec2 light);

// Nine two-component vertices: three triangles fanned around p2.
constexpr int kSlotFloats = 18;
using Slot = std::array<float, kSlotFloats>;

// The shadow that `caster` throws from a light at `light` with radius
// `radius`: the region behind the caster out to radius beyond the tangent
// points. A light within the box of the caster's full width and height
// around its centre gets a degenerate slot (every float the light's x),
// which draws nothing; so does a caster of zero, negative or non-finite size
// and any position or radius that is not finite.
void FillSlot(const Ellipse& caster, glm::vec2 light, float radius, float* slot);

}  // namespace shadow_geometry
