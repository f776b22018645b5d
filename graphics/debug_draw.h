#pragma once
// Debug drawing: outlines of shapes in world coordinates over the finished
// frame, stroked one pixel wide in the one current colour. Shapes draw only
// while the "DebugDraw" event is being raised by Frame (and, before the first
// frame, straight away); at any other time they are ignored without a word.
// With no vector context (its creation failed) nothing draws and Frame raises
// nothing. Points that are not finite draw nothing.
//
// The Engine creates the one instance after Graphics and deletes it before
// Graphics; the state is module-level.

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

class DebugDraw {
public:
    // Runs Init.
    DebugDraw();
    // Forgets the vector context, which Graphics deletes later.
    ~DebugDraw();
    DebugDraw(const DebugDraw&) = delete;
    DebugDraw& operator=(const DebugDraw&) = delete;

    // Keeps Graphics' vector context and registers "DebugDraw" (no arguments).
    static void Init();

    // Once per frame, after the scene and before the editor and console
    // windows: raises "DebugDraw" inside a vector frame the size of the
    // framebuffer. Does nothing while the window is minimised.
    static void Frame();

    // Stays in force until set again, across listeners and frames; a caller
    // that changes it for its own shapes restores it afterwards.
    static void SetColor(float r, float g, float b, float a);
    // Whether shapes would draw now; callers skip working out ones that would not.
    static bool IsDrawing();
    static glm::vec4 GetColor();

    // Radii, widths and heights are world units.
    static void Circle(glm::vec3 centre, float radius);
    static void CircleXY(float x, float y, float radius);
    static void Ellipse(glm::vec3 centre, float rx, float ry);
    static void EllipseXY(float x, float y, float rx, float ry);
    static void Line(glm::vec3 from, glm::vec3 to);
    static void LineXY(float x1, float y1, float x2, float y2);
    // Centred on the point.
    static void Rect(glm::vec3 centre, float width, float height);
    static void RectXY(float x, float y, float width, float height);
    // The four edges a-b, b-c, c-d, d-a.
    static void Quad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d);
    static void QuadXY(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
};
