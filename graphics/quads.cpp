#include "graphics/quads.h"

#include <epoxy/gl.h>

// (x, y, z, u, v) per vertex.
const QuadVertices kSpriteQuadVertices = {
    -0.5f, 0.0f, 0.0f, 0.0f, 0.0f,  //
    0.5f,  0.0f, 0.0f, 1.0f, 0.0f,  //
    0.5f,  1.0f, 0.0f, 1.0f, 1.0f,  //
    0.5f,  1.0f, 0.0f, 1.0f, 1.0f,  //
    -0.5f, 1.0f, 0.0f, 0.0f, 1.0f,  //
    -0.5f, 0.0f, 0.0f, 0.0f, 0.0f,
};

const QuadVertices kCentredQuadVertices = {
    -0.5f, -0.5f, 0.0f, 0.0f, 0.0f,  //
    0.5f,  -0.5f, 0.0f, 1.0f, 0.0f,  //
    0.5f,  0.5f,  0.0f, 1.0f, 1.0f,  //
    0.5f,  0.5f,  0.0f, 1.0f, 1.0f,  //
    -0.5f, 0.5f,  0.0f, 0.0f, 1.0f,  //
    -0.5f, -0.5f, 0.0f, 0.0f, 0.0f,
};

void UploadQuadVertices(const Quad& quad, const QuadVertices& vertices) {
    constexpr GLsizei stride = 5 * sizeof(float);
    glBindVertexArray(quad.vao);
    glBindBuffer(GL_ARRAY_BUFFER, quad.vbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof vertices, vertices.data(), GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(1);
}

Quad MakeQuad(const QuadVertices& vertices) {
    Quad quad;
    glGenVertexArrays(1, &quad.vao);
    glGenBuffers(1, &quad.vbo);
    UploadQuadVertices(quad, vertices);
    return quad;
}

void DeleteQuad(Quad& quad) {
    glDeleteVertexArrays(1, &quad.vao);
    glDeleteBuffers(1, &quad.vbo);
    quad = Quad{};
}
