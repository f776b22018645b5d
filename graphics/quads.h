#pragma once
// Unit quads: 6 vertices (two triangles) of 5 floats each, a position at
// attribute 0 and a texture coordinate at attribute 1.

#include <array>

using QuadVertices = std::array<float, 30>;

struct Quad {
    unsigned vao = 0;
    unsigned vbo = 0;
};

extern const QuadVertices kSpriteQuadVertices;
extern const QuadVertices kCentredQuadVertices;

// Uploads the vertices into the buffer and describes both attributes on the
// vertex array, which is left bound.
void UploadQuadVertices(const Quad& quad, const QuadVertices& vertices);
// Generates the vertex array and buffer and uploads the vertices.
Quad MakeQuad(const QuadVertices& vertices);
void DeleteQuad(Quad& quad);
