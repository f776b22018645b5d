// Which cells of the tile grid the view reaches.
#include <gtest/gtest.h>

#include <limits>

#include "graphics/tile_window.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(TileWindow, CoversTheViewWithAMarginAndStaysOnTheGrid) {
    const struct {
        const char* what;
        glm::vec2 camera, corner;
        uint32_t tileWidth, tileHeight;
        int64_t columns, rows;
        TileWindow window;
    } cases[] = {
        // -249 / 16 is -15 towards zero: one cell back, one more below zero.
        {"centred view", {0, 0}, {-249, 140}, 16, 16, 64, 64, {15, 49, 22, 42}},
        {"camera off a whole unit rounds first", {0.4f, -0.6f}, {-248.6f, 139.4f}, 16, 16, 64, 64, {15, 49, 22, 42}},
        {"right of the grid's middle", {300, 0}, {51, 140}, 16, 16, 64, 64, {34, 64, 22, 42}},
        {"odd sizes leave the last column and row out", {0, 0}, {-249, 140}, 16, 16, 5, 7, {0, 4, 0, 6}},
        {"zoomed far out sees the whole grid", {0, 0}, {-1e20f, 1e20f}, 16, 16, 64, 64, {0, 64, 0, 64}},
        {"far beyond the grid sees nothing", {1e9f, 1e9f}, {1e9f - 249, 1e9f + 140}, 16, 16, 64, 64, {}},
        {"huge beyond any sum", {3e38f, -3e38f}, {3e38f, -3e38f}, 1, 1, 64, 64, {}},
        {"infinite camera", {kInf, 0}, {kInf, 140}, 16, 16, 64, 64, {}},
        {"zoom 0 puts the corner at no number", {0, 0}, {kNaN, kNaN}, 16, 16, 64, 64, {}},
        {"zero tile size", {0, 0}, {-249, 140}, 0, 16, 64, 64, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TileWindow w = VisibleTiles(c.camera, c.corner, c.tileWidth, c.tileHeight, c.columns, c.rows);
        if (c.window.xe == 0) {
            EXPECT_TRUE(w.xs >= w.xe || w.ys >= w.ye) << w.xs << ".." << w.xe << ", " << w.ys << ".." << w.ye;
            continue;
        }
        EXPECT_EQ(w.xs, c.window.xs);
        EXPECT_EQ(w.xe, c.window.xe);
        EXPECT_EQ(w.ys, c.window.ys);
        EXPECT_EQ(w.ye, c.window.ye);
    }
}

}  // namespace
