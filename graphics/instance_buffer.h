#pragma once
// Many copies of one unit quad in a single draw: the quad's vertices at
// attributes 0 and 1 as the plain quads have them, and per copy a model
// matrix by columns at attributes 2 to 5 and, for sprites, a tint at 6 and
// the area of the sheet it shows (left, right, top, bottom) at 7. The
// shaders take these instead of their "model" (and "tint") uniforms while
// their "instanced" uniform is true.

#include <cstdint>
#include <utility>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include "graphics/quads.h"

struct SpriteInstance {
    glm::mat4 model;
    glm::vec4 tint;
    glm::vec4 area;
};

class InstanceBuffer {
public:
    // withTintAndArea: SpriteInstance copies; otherwise model matrices only.
    InstanceBuffer(const Quad& quad, bool withTintAndArea);
    ~InstanceBuffer();
    InstanceBuffer(const InstanceBuffer&) = delete;
    InstanceBuffer& operator=(const InstanceBuffer&) = delete;

    // Uploads the copies of this pass in one go; the vertex array stays bound.
    void Upload(const void* data, size_t count);
    // Draws copies first .. first + count - 1 of the last upload, in order.
    void Draw(size_t first, size_t count) const;

private:
    unsigned vao = 0;
    unsigned vbo = 0;
    size_t stride = 0;
    bool sprites = false;
};

// What drawing tiles by texture keeps between frames: the copies' buffer on
// the centred quad and the lists refilled each frame.
struct TileRuns {
    explicit TileRuns(const Quad& centredQuad) : buffer(centredQuad, false) {}
    InstanceBuffer buffer;
    std::vector<std::pair<int32_t, glm::mat4>> cells;  // tile index, model
    std::vector<glm::mat4> models;
};
