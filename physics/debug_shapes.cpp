#include "physics/debug_shapes.h"

#include "graphics/debug_draw.h"
#include "physics/vec2_math.h"

namespace debug_shapes {

void Line(glm::vec4 colour, glm::vec2 from, glm::vec2 to) {
    if (!DebugDraw::IsDrawing()) return;
    DebugDraw::SetColor(colour.r, colour.g, colour.b, colour.a);
    DebugDraw::LineXY(from.x, from.y, to.x, to.y);
}

void Circle(glm::vec4 colour, glm::vec2 centre, float radius) {
    if (!DebugDraw::IsDrawing()) return;
    DebugDraw::SetColor(colour.r, colour.g, colour.b, colour.a);
    DebugDraw::CircleXY(centre.x, centre.y, radius);
}

void Projections(glm::vec2 centre, const glm::vec2* points, int count, glm::vec2 axis) {
    if (!DebugDraw::IsDrawing()) return;
    Line(kGreen, ProjectOnto(centre, axis), centre);
    for (int i = 0; i < count; ++i) Line(kBlue, ProjectOnto(points[i], axis), points[i]);
}

}  // namespace debug_shapes
