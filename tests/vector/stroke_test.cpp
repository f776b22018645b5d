// What the back end receives for strokes, through a recording back end.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/vector/recording_backend.h"
#include "vector/context.h"
#include "vector/vector.h"

namespace {

using vector_testing::RecordedStroke;
using vector_testing::RecordingBackend;

struct Xy {
    float x, y;
};

class Stroke : public ::testing::Test {
protected:
    void SetUp() override {
        VDparams params = backend.Params();
        ctx = vdCreateInternal(&params);
        ASSERT_NE(ctx, nullptr);
        vdBeginFrame(ctx, 100, 100, 1.0f);
    }
    void TearDown() override { vdDeleteInternal(ctx); }

    const RecordedStroke& Only() {
        EXPECT_EQ(backend.strokes.size(), 1u);
        return backend.strokes.back();
    }
    const std::vector<VDvertex>& OnlyPath() {
        EXPECT_EQ(Only().paths.size(), 1u);
        return Only().paths[0].verts;
    }
    void Line(std::initializer_list<Xy> points) {
        vdBeginPath(ctx);
        bool first = true;
        for (Xy p : points) {
            if (first) vdMoveTo(ctx, p.x, p.y);
            else vdLineTo(ctx, p.x, p.y);
            first = false;
        }
        vdStroke(ctx);
    }

    RecordingBackend backend;
    VDcontext* ctx = nullptr;
};

void ExpectAt(const VDvertex& v, float x, float y, const char* what = "") {
    EXPECT_NEAR(v.x, x, 1e-4f) << what;
    EXPECT_NEAR(v.y, y, 1e-4f) << what;
}

TEST_F(Stroke, LineIsOneStripOfEightVerticesWithFringedButtEnds) {
    Line({{0, 0}, {10, 0}});
    const std::vector<VDvertex>& v = OnlyPath();
    const VDvertex expected[8] = {{-0.5f, -1, 0, 0}, {-0.5f, 1, 1, 0}, {0.5f, -1, 0, 1}, {0.5f, 1, 1, 1},
                                  {9.5f, -1, 0, 1},  {9.5f, 1, 1, 1},  {10.5f, -1, 0, 0}, {10.5f, 1, 1, 0}};
    ASSERT_EQ(v.size(), 8u);
    for (int i = 0; i < 8; i++) {
        EXPECT_FLOAT_EQ(v[i].x, expected[i].x) << i;
        EXPECT_FLOAT_EQ(v[i].y, expected[i].y) << i;
        EXPECT_EQ(v[i].u, expected[i].u) << i;
        EXPECT_EQ(v[i].v, expected[i].v) << i;
    }
    EXPECT_FALSE(Only().paths[0].closed);
    EXPECT_EQ(Only().strokeWidth, 1.0f);
    EXPECT_EQ(Only().fringe, 1.0f);
    EXPECT_EQ(Only().paint.innerColor.a, 1.0f);
    EXPECT_EQ(ctx->drawCallCount, 1);
    EXPECT_EQ(ctx->strokeTriCount, 6);
}

TEST_F(Stroke, PathsWithoutTwoDistinctPointsDrawNothing) {
    Line({{3, 3}, {3.005f, 3}});  // merged into one point, then closed onto itself
    EXPECT_EQ(ctx->cache.paths[0].count, 0);
    Line({{3, 3}});
    vdBeginPath(ctx);
    vdLineTo(ctx, 5, 5);  // no move-to: no path to join
    vdLineTo(ctx, 9, 5);
    vdStroke(ctx);
    EXPECT_TRUE(backend.strokes.empty());
    EXPECT_EQ(ctx->drawCallCount, 0);
    EXPECT_EQ(ctx->strokeTriCount, 0);

    // An empty sub-path beside a real one: only the real one counts.
    vdBeginPath(ctx);
    vdMoveTo(ctx, 1, 1);
    vdLineTo(ctx, 1, 1);
    vdMoveTo(ctx, 0, 0);
    vdLineTo(ctx, 10, 0);
    vdStroke(ctx);
    ASSERT_EQ(Only().paths.size(), 2u);
    EXPECT_TRUE(Only().paths[0].verts.empty());
    EXPECT_EQ(Only().paths[1].verts.size(), 8u);
    EXPECT_EQ(ctx->drawCallCount, 1);
}

TEST_F(Stroke, CircleIsAClosedPathOnTheCircleWithoutARepeatedStart) {
    vdBeginPath(ctx);
    vdCircle(ctx, 50, 40, 5);
    vdStroke(ctx);

    ASSERT_EQ(ctx->cache.paths.count, 1);
    const VDpath& path = ctx->cache.paths[0];
    EXPECT_TRUE(path.closed);
    ASSERT_GE(path.count, 8);
    for (int i = 0; i < path.count; i++) {
        const VDpoint& p = ctx->cache.points[path.first + i];
        EXPECT_NEAR(std::hypot(p.x - 50, p.y - 40), 5.0f, 0.01f) << i;
        const VDpoint& next = ctx->cache.points[path.first + (i + 1) % path.count];
        EXPECT_GT(std::hypot(next.x - p.x, next.y - p.y), 0.1f) << i;
        EXPECT_EQ(p.flags & (VD_PT_BEVEL | VD_PT_INNERBEVEL), 0) << i;
    }

    // Miter pairs around the circle, then the first pair again to close the strip.
    const std::vector<VDvertex>& v = OnlyPath();
    ASSERT_EQ(int(v.size()), path.count * 2 + 2);
    for (int i = 0; i < path.count; i++) {
        const VDpoint& p = ctx->cache.points[path.first + i];
        ExpectAt({(v[2 * i].x + v[2 * i + 1].x) / 2, (v[2 * i].y + v[2 * i + 1].y) / 2, 0, 0}, p.x, p.y, "pair centre");
        float reach = std::hypot(v[2 * i].x - p.x, v[2 * i].y - p.y);  // a miter: a little over w
        EXPECT_GE(reach, 1.0f) << i;
        EXPECT_LE(reach, 1.05f) << i;
    }
    ExpectAt(v[v.size() - 2], v[0].x, v[0].y, "closing left");
    ExpectAt(v[v.size() - 1], v[1].x, v[1].y, "closing right");
    EXPECT_TRUE(Only().paths[0].closed);
}

TEST_F(Stroke, ThinnerThanTheFringeDrawsOneFringeWideAndFades) {
    vdStrokeColor(ctx, {1.0f, 0.5f, 0.25f, 0.8f});
    vdScale(ctx, 0.25f, 0.25f);
    Line({{0, 0}, {40, 0}});
    EXPECT_EQ(Only().strokeWidth, 1.0f);
    EXPECT_FLOAT_EQ(Only().paint.innerColor.a, 0.8f * 0.0625f);
    EXPECT_FLOAT_EQ(Only().paint.outerColor.a, 0.8f * 0.0625f);
    EXPECT_EQ(Only().paint.innerColor.g, 0.5f);
    // The same strip as a one-pixel line from (0, 0) to (10, 0).
    ASSERT_EQ(OnlyPath().size(), 8u);
    ExpectAt(OnlyPath()[0], -0.5f, -1);
    ExpectAt(OnlyPath()[7], 10.5f, 1);
}

TEST_F(Stroke, WidthsAboveTwoHundredAreDrawnTwoHundredWide) {
    vdStrokeWidth(ctx, 500);
    Line({{0, 0}, {10, 0}});
    vdStrokeWidth(ctx, 150);
    vdScale(ctx, 2, 2);  // 300 after scaling
    Line({{0, 0}, {5, 0}});
    ASSERT_EQ(backend.strokes.size(), 2u);
    for (const RecordedStroke& stroke : backend.strokes) {
        EXPECT_EQ(stroke.strokeWidth, 200.0f);
        EXPECT_FLOAT_EQ(stroke.paths[0].verts[2].y, -100.5f);  // half the width plus half a fringe
        EXPECT_FLOAT_EQ(stroke.paths[0].verts[3].y, 100.5f);
    }
}

TEST_F(Stroke, NanWidthIsInvisibleNotUndefined) {
    vdStrokeWidth(ctx, std::numeric_limits<float>::quiet_NaN());
    Line({{0, 0}, {10, 0}});
    EXPECT_EQ(Only().strokeWidth, 1.0f);
    EXPECT_EQ(Only().paint.innerColor.a, 0.0f);
}

TEST_F(Stroke, RectangleCornersAreMitered) {
    vdBeginPath(ctx);
    vdRect(ctx, 10, 10, 20, 10);
    vdStroke(ctx);
    const std::vector<VDvertex>& v = OnlyPath();
    ASSERT_EQ(v.size(), 10u);
    const Xy corners[4] = {{10, 10}, {30, 10}, {30, 20}, {10, 20}};
    for (int i = 0; i < 4; i++) {
        Xy centre{(v[2 * i].x + v[2 * i + 1].x) / 2, (v[2 * i].y + v[2 * i + 1].y) / 2};
        bool onCorner = false;
        for (Xy c : corners) onCorner |= std::fabs(c.x - centre.x) < 1e-4f && std::fabs(c.y - centre.y) < 1e-4f;
        EXPECT_TRUE(onCorner) << i;
        // The miter reaches the corner of both offset edges: one unit along each axis.
        EXPECT_NEAR(std::fabs(v[2 * i].x - centre.x), 1.0f, 1e-4f) << i;
        EXPECT_NEAR(std::fabs(v[2 * i].y - centre.y), 1.0f, 1e-4f) << i;
        EXPECT_EQ(v[2 * i].u, 0.0f);
        EXPECT_EQ(v[2 * i + 1].u, 1.0f);
    }
    EXPECT_EQ(ctx->strokeTriCount, 8);
}

// Vertex positions of a join at p1 between segments in directions d0 and d1.
struct Join {
    Xy p1, e0, e1;  // left normals of the two segments
    Join(Xy a, Xy p, Xy b) : p1(p) {
        float l0 = std::hypot(p.x - a.x, p.y - a.y), l1 = std::hypot(b.x - p.x, b.y - p.y);
        Xy d0{(p.x - a.x) / l0, (p.y - a.y) / l0}, d1{(b.x - p.x) / l1, (b.y - p.y) / l1};
        e0 = {d0.y, -d0.x};
        e1 = {d1.y, -d1.x};
    }
    Xy Left(Xy e) const { return {p1.x + e.x, p1.y + e.y}; }
    Xy Right(Xy e) const { return {p1.x - e.x, p1.y - e.y}; }
};

void ExpectStrip(const std::vector<VDvertex>& v, int from, std::initializer_list<Xy> points) {
    int i = from;
    for (Xy p : points) {
        ExpectAt(v[i], p.x, p.y, ("vertex " + std::to_string(i)).c_str());
        i++;
    }
}

TEST_F(Stroke, SharpZigZagsAreBevelledGentleOnesMitered) {
    // Right turn past the miter limit, and the legs too short for the inner corner.
    Line({{0, 0}, {10, 0.5f}, {0, 1}});
    Join sharp({0, 0}, {10, 0.5f}, {0, 1});
    ASSERT_EQ(backend.strokes.back().paths[0].verts.size(), 16u);
    ExpectStrip(backend.strokes.back().paths[0].verts, 4,
                {sharp.Left(sharp.e0), sharp.Right(sharp.e0), sharp.Left(sharp.e0), sharp.Right(sharp.e0),
                 sharp.Left(sharp.e1), sharp.Right(sharp.e1), sharp.Left(sharp.e1), sharp.Right(sharp.e1)});

    // Long legs: only the outer side is bevelled; the inner side meets at the
    // capped miter point (600 times the short extrusion), a right turn and
    // then a left one.
    Line({{0, 0}, {100, 2}, {0, 4}, {100, 6}});
    const float n = std::hypot(100.0f, 2.0f);
    Join right({0, 0}, {100, 2}, {0, 4}), left({100, 2}, {0, 4}, {100, 6});
    Xy innerRight{100 - 1200 / n, 2}, innerLeft{1200 / n, 4};
    const std::vector<VDvertex>& zigzag = backend.strokes.back().paths[0].verts;
    ASSERT_EQ(zigzag.size(), 24u);
    ExpectStrip(zigzag, 4,
                {right.Left(right.e0), innerRight, right.Left(right.e0), innerRight, right.Left(right.e1),
                 innerRight, right.Left(right.e1), innerRight});
    ExpectStrip(zigzag, 12,
                {innerLeft, left.Right(left.e0), innerLeft, left.Right(left.e0), innerLeft, left.Right(left.e1),
                 innerLeft, left.Right(left.e1)});
    EXPECT_EQ(zigzag[12].u, 0.0f);
    EXPECT_EQ(zigzag[13].u, 1.0f);

    // A right angle between legs shorter than the stroke: the inner corner is
    // bevelled, the outer one keeps its miter through the point itself.
    Line({{0, 0}, {1.2f, 0}, {1.2f, 1.2f}});
    const std::vector<VDvertex>& corner = backend.strokes.back().paths[0].verts;
    ASSERT_EQ(corner.size(), 18u);
    EXPECT_EQ(corner[7].u, 0.5f);
    ExpectAt(corner[7], 1.2f, 0);
    ExpectAt(corner[8], 2.2f, -1);  // the miter point, twice
    ExpectAt(corner[9], 2.2f, -1);

    // A gentle zig-zag keeps one miter pair per corner.
    Line({{0, 0}, {20, 10}, {40, 0}});
    ASSERT_EQ(backend.strokes.back().paths[0].verts.size(), 10u);
    EXPECT_EQ(backend.strokes.back().paths[0].verts[4].v, 1.0f);
}

TEST_F(Stroke, SecondStrokeOfAPathReusesItsPoints) {
    vdBeginPath(ctx);
    vdCircle(ctx, 20, 20, 8);
    vdStroke(ctx);
    int points = ctx->cache.points.count;
    vdStrokeColor(ctx, {1, 0, 0, 1});
    vdStrokeWidth(ctx, 3);
    vdStroke(ctx);
    ASSERT_EQ(backend.strokes.size(), 2u);
    EXPECT_EQ(ctx->cache.points.count, points);
    EXPECT_EQ(backend.strokes[0].paths[0].verts.size(), backend.strokes[1].paths[0].verts.size());
    EXPECT_EQ(backend.strokes[1].strokeWidth, 3.0f);
    EXPECT_EQ(backend.strokes[1].paint.innerColor.r, 1.0f);
    EXPECT_EQ(ctx->drawCallCount, 2);
}

TEST_F(Stroke, TransformsApplyToCommandsAsTheyAreIssued) {
    vdTranslate(ctx, 100, 0);
    vdBeginPath(ctx);
    vdMoveTo(ctx, 0, 0);
    vdResetTransform(ctx);
    vdLineTo(ctx, 10, 0);
    vdStroke(ctx);
    ASSERT_EQ(OnlyPath().size(), 8u);
    ExpectAt(OnlyPath()[0], 100.5f, 1);  // the line runs from x 100 back to x 10
    ExpectAt(OnlyPath()[7], 9.5f, -1);
}

TEST_F(Stroke, NonFiniteAndHugeCoordinatesStayInBounds) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const float values[] = {nan, inf, -inf, 3e38f, -3e38f, 0, 1e-30f};
    for (float a : values)
        for (float b : values) {
            vdBeginPath(ctx);
            vdMoveTo(ctx, a, 1);
            vdLineTo(ctx, 2, b);
            vdLineTo(ctx, b, a);
            vdCircle(ctx, a, 5, b);
            vdEllipse(ctx, 5, b, a, 3);
            vdRect(ctx, a, b, a, b);
            vdStroke(ctx);
        }
    for (const RecordedStroke& stroke : backend.strokes)
        for (const auto& path : stroke.paths) EXPECT_LE(path.verts.size(), 100000u);
}

}  // namespace
