// Outlines in world units; they draw only while "DebugDraw" is being raised.
#include "graphics/debug_draw.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"

void lb_debug_draw_circle(float x, float y, float radius) {
    AtEdge([&] { DebugDraw::CircleXY(x, y, radius); });
}

void lb_debug_draw_line(float x1, float y1, float x2, float y2) {
    AtEdge([&] { DebugDraw::LineXY(x1, y1, x2, y2); });
}

void lb_debug_draw_rect(float x, float y, float width, float height) {
    AtEdge([&] { DebugDraw::RectXY(x, y, width, height); });
}

void lb_debug_draw_set_color(float r, float g, float b, float a) {
    AtEdge([&] { DebugDraw::SetColor(r, g, b, a); });
}
