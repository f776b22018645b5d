#pragma once
// The cells of the tile grid that the view can show, as a plain function of
// the camera so it can be checked without a window.

#include <cstdint>

#include <glm/vec2.hpp>

struct TileWindow {
    // Columns xs .. xe-1 and rows ys .. ye-1; empty when xs >= xe or ys >= ye.
    int64_t xs = 0, xe = 0, ys = 0, ye = 0;
};

// camera: the camera's position; corner: the world point under screen pixel
// (0, 0). The window reaches three cells past the view on each side (and one
// more on the low side) and never past the grid of columns by rows; the last
// column or row of an odd size is left out, as the grid is drawn in pairs
// around its centre. Positions that are not numbers give an empty window;
// infinite and huge ones are first clamped to far outside any grid.
TileWindow VisibleTiles(glm::vec2 camera, glm::vec2 corner, uint32_t tileWidth, uint32_t tileHeight, int64_t columns,
                        int64_t rows);
