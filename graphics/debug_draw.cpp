#include "graphics/debug_draw.h"

#include <cmath>

#include "core/engine/engine.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "graphics/graphics.h"
#include "vector/vector.h"

namespace {

VDcontext* context = nullptr;
bool drawing = true;
glm::vec4 colour(0.0f, 0.0f, 0.0f, 1.0f);

bool Finite(float value) { return std::isfinite(value); }

bool Finite(glm::vec3 point) { return Finite(point.x) && Finite(point.y); }

bool CanDraw() { return drawing && context != nullptr; }

glm::vec3 ToScreen(glm::vec3 world) { return Camera::WorldToScreen(world.x, world.y, world.z); }

float Scale() { return static_cast<float>(Camera::PixelScale()); }

void StrokePath() {
    vdStrokeColor(context, {colour.r, colour.g, colour.b, colour.a});
    vdStroke(context);
}

}  // namespace

DebugDraw::DebugDraw() { Init(); }

DebugDraw::~DebugDraw() { context = nullptr; }

void DebugDraw::Init() {
    context = Graphics::GetVectorContext();
    events::Register<>("DebugDraw");
}

void DebugDraw::Frame() {
    if (context == nullptr) return;
    // Before the engine exists there is no window to be minimised.
    if (g_engine != nullptr && Engine::IsMinimized()) return;
    int width = 0, height = 0;
    Graphics::GetFramebufferSize(width, height);
    vdBeginFrame(context, width, height, 1.0f);
    drawing = true;
    events::Call<>("DebugDraw");
    drawing = false;
    vdEndFrame(context);
}

void DebugDraw::SetColor(float r, float g, float b, float a) { colour = glm::vec4(r, g, b, a); }

glm::vec4 DebugDraw::GetColor() { return colour; }

bool DebugDraw::IsDrawing() { return CanDraw(); }

void DebugDraw::Circle(glm::vec3 centre, float radius) {
    if (!CanDraw()) return;
    const glm::vec3 p = ToScreen(centre);
    const float r = radius * Scale();
    if (!Finite(p) || !Finite(r)) return;
    vdBeginPath(context);
    vdCircle(context, p.x, p.y, r);
    StrokePath();
}

void DebugDraw::CircleXY(float x, float y, float radius) { Circle(glm::vec3(x, y, 0.0f), radius); }

void DebugDraw::Ellipse(glm::vec3 centre, float rx, float ry) {
    if (!CanDraw()) return;
    const glm::vec3 p = ToScreen(centre);
    const float s = Scale();
    if (!Finite(p) || !Finite(rx * s) || !Finite(ry * s)) return;
    vdBeginPath(context);
    vdEllipse(context, p.x, p.y, rx * s, ry * s);
    StrokePath();
}

void DebugDraw::EllipseXY(float x, float y, float rx, float ry) { Ellipse(glm::vec3(x, y, 0.0f), rx, ry); }

void DebugDraw::Line(glm::vec3 from, glm::vec3 to) {
    if (!CanDraw()) return;
    const glm::vec3 a = ToScreen(from);
    const glm::vec3 b = ToScreen(to);
    if (!Finite(a) || !Finite(b)) return;
    vdBeginPath(context);
    vdMoveTo(context, a.x, a.y);
    vdLineTo(context, b.x, b.y);
    StrokePath();
}

void DebugDraw::LineXY(float x1, float y1, float x2, float y2) {
    Line(glm::vec3(x1, y1, 0.0f), glm::vec3(x2, y2, 0.0f));
}

void DebugDraw::Rect(glm::vec3 centre, float width, float height) {
    if (!CanDraw()) return;
    const glm::vec3 p = ToScreen(centre);
    const float w = width * Scale();
    const float h = height * Scale();
    if (!Finite(p) || !Finite(w) || !Finite(h)) return;
    vdBeginPath(context);
    vdRect(context, p.x - w / 2.0f, p.y + h / 2.0f, w, -h);
    StrokePath();
}

void DebugDraw::RectXY(float x, float y, float width, float height) {
    Rect(glm::vec3(x, y, 0.0f), width, height);
}

void DebugDraw::Quad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d) {
    Line(a, b);
    Line(b, c);
    Line(c, d);
    Line(d, a);
}

void DebugDraw::QuadXY(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    Quad(glm::vec3(x1, y1, 0.0f), glm::vec3(x2, y2, 0.0f), glm::vec3(x3, y3, 0.0f), glm::vec3(x4, y4, 0.0f));
}
