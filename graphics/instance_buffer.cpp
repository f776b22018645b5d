#include "graphics/instance_buffer.h"

#include <epoxy/gl.h>

namespace {

const void* At(size_t offset) { return reinterpret_cast<const void*>(offset); }

}  // namespace

InstanceBuffer::InstanceBuffer(const Quad& quad, bool withTintAndArea)
    : stride(withTintAndArea ? sizeof(SpriteInstance) : sizeof(glm::mat4)), sprites(withTintAndArea) {
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, quad.vbo);
    constexpr GLsizei quadStride = 5 * sizeof(float);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, quadStride, At(0));
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, quadStride, At(3 * sizeof(float)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    for (GLuint attribute = 2; attribute < (sprites ? 8u : 6u); ++attribute) {
        glEnableVertexAttribArray(attribute);
        glVertexAttribDivisor(attribute, 1);
    }
    glBindVertexArray(0);
}

InstanceBuffer::~InstanceBuffer() {
    glDeleteVertexArrays(1, &vao);
    glDeleteBuffers(1, &vbo);
}

void InstanceBuffer::Upload(const void* data, size_t count) {
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * stride), data, GL_STREAM_DRAW);
}

void InstanceBuffer::Draw(size_t first, size_t count) const {
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    // Without a base instance in the core of 3.3, the copies' attributes start at `first`.
    const size_t base = first * stride;
    const auto s = static_cast<GLsizei>(stride);
    for (GLuint column = 0; column < 4; ++column)
        glVertexAttribPointer(2 + column, 4, GL_FLOAT, GL_FALSE, s, At(base + column * sizeof(glm::vec4)));
    if (sprites) {
        glVertexAttribPointer(6, 4, GL_FLOAT, GL_FALSE, s, At(base + offsetof(SpriteInstance, tint)));
        glVertexAttribPointer(7, 4, GL_FLOAT, GL_FALSE, s, At(base + offsetof(SpriteInstance, area)));
    }
    glDrawArraysInstanced(GL_TRIANGLES, 0, 6, static_cast<GLsizei>(count));
}
