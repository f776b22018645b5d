#pragma once
// What the collision tests draw of their working, through the debug drawing
// (which shows it only while "DebugDraw" is being raised). When nothing would
// draw, nothing is worked out and the colour is left alone.

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

namespace debug_shapes {

inline constexpr glm::vec4 kRed{1.0f, 0.1f, 0.1f, 1.0f};
inline constexpr glm::vec4 kGreen{0.1f, 1.0f, 0.1f, 1.0f};
inline constexpr glm::vec4 kBlue{0.1f, 0.1f, 1.0f, 1.0f};
inline constexpr glm::vec4 kYellow{1.0f, 1.0f, 0.1f, 1.0f};
inline constexpr glm::vec4 kMagenta{1.0f, 0.1f, 1.0f, 1.0f};
inline constexpr glm::vec4 kGrey{0.1f, 0.1f, 0.1f, 1.0f};

void Line(glm::vec4 colour, glm::vec2 from, glm::vec2 to);
void Circle(glm::vec4 colour, glm::vec2 centre, float radius);
// For one axis: the centre's projection joined to the centre (green), and
// each point's projection joined to the point (blue).
void Projections(glm::vec2 centre, const glm::vec2* points, int count, glm::vec2 axis);

}  // namespace debug_shapes
