#include "graphics/tile_window.h"

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any grid a level can hold, and small enough that every sum
// below stays exact in 64 bits.
constexpr float kFar = 1e15f;

struct Span {
    int64_t start, end;
};

// One axis: the camera's whole-number coordinate, the view's half extent
// around it, the tile size and the grid's cells along the axis.
Span VisibleSpan(float centre, float half, uint32_t tileSize, int64_t cells) {
    centre = std::clamp(centre, -kFar, kFar);
    half = std::min(half, kFar);
    const int64_t size = tileSize;
    const int64_t half_cells = cells / 2;
    const int64_t count = static_cast<int64_t>(std::trunc(2.0f * half / static_cast<float>(tileSize) + 3.0f));
    const float low = centre - half;
    int64_t start = static_cast<int64_t>(std::trunc(low)) / size - 1 + half_cells;
    if (low < 0.0f) --start;
    const int64_t end = std::min(start + count, 2 * half_cells);
    return {std::max<int64_t>(start, 0), end};
}

}  // namespace

TileWindow VisibleTiles(glm::vec2 camera, glm::vec2 corner, uint32_t tileWidth, uint32_t tileHeight, int64_t columns,
                        int64_t rows) {
    const float x = std::roundf(camera.x), y = std::roundf(camera.y);
    const float ex = std::fabs(corner.x - x), ey = std::fabs(corner.y - y);
    if (std::isnan(x) || std::isnan(y) || std::isnan(ex) || std::isnan(ey) || tileWidth == 0 || tileHeight == 0)
        return {};
    const Span across = VisibleSpan(x, ex, tileWidth, columns);
    const Span down = VisibleSpan(y, ey, tileHeight, rows);
    return {across.start, across.end, down.start, down.end};
}
