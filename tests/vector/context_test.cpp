// Creation, deletion and the frame bracket, seen from the back end.

#include <gtest/gtest.h>

#include "tests/vector/recording_backend.h"
#include "vector/atlas/glyph_atlas.h"
#include "vector/context.h"
#include "vector/vector.h"

namespace {

using vector_testing::RecordingBackend;
using Calls = std::vector<std::string>;

TEST(VectorContext, CreationMakesTheAtlasTextureAndDeletionReleasesItFirst) {
    RecordingBackend backend;
    VDparams params = backend.Params();
    VDcontext* ctx = vdCreateInternal(&params);
    ASSERT_NE(ctx, nullptr);
    EXPECT_EQ(backend.calls, (Calls{"create", "texture 1 512x512 0 null"}));
    ASSERT_NE(ctx->atlas, nullptr);
    EXPECT_EQ(ctx->atlas->params.width, 512);
    EXPECT_EQ(ctx->atlas->params.flags, GA_ZERO_TOPLEFT);

    backend.calls.clear();
    vdDeleteInternal(ctx);
    EXPECT_EQ(backend.calls, (Calls{"delete texture 7", "delete"}));
    vdDeleteInternal(nullptr);
}

TEST(VectorContext, AFailingBackEndGivesNullAndIsDeleted) {
    RecordingBackend refusesProgram;
    refusesProgram.failCreate = true;
    VDparams params = refusesProgram.Params();
    EXPECT_EQ(vdCreateInternal(&params), nullptr);
    EXPECT_EQ(refusesProgram.calls, (Calls{"create", "delete"}));

    RecordingBackend refusesTexture;
    refusesTexture.failTexture = true;
    params = refusesTexture.Params();
    EXPECT_EQ(vdCreateInternal(&params), nullptr);
    EXPECT_EQ(refusesTexture.calls, (Calls{"create", "texture 1 512x512 0 null", "delete"}));
}

TEST(VectorContext, FrameResetsTheStateAndBracketsTheBackEnd) {
    RecordingBackend backend;
    VDparams params = backend.Params();
    VDcontext* ctx = vdCreateInternal(&params);
    ASSERT_NE(ctx, nullptr);
    backend.calls.clear();

    vdBeginFrame(ctx, 640, 360, 1.0f);
    vdStrokeColor(ctx, {1, 0, 0, 1});
    vdStrokeWidth(ctx, 4);
    vdTranslate(ctx, 50, 0);
    vdEndFrame(ctx);
    vdBeginFrame(ctx, 320, 180, 2.0f);
    vdBeginPath(ctx);
    vdMoveTo(ctx, 0, 0);
    vdLineTo(ctx, 10, 0);
    vdStroke(ctx);
    vdCancelFrame(ctx);
    EXPECT_EQ(backend.calls, (Calls{"viewport 640x360", "flush", "viewport 320x180", "stroke", "cancel"}));

    // Back to a black one-pixel stroke without a transform; at ratio 2 the
    // fringe is half a pixel.
    const auto& stroke = backend.strokes.at(0);
    EXPECT_EQ(stroke.paint.innerColor.r, 0.0f);
    EXPECT_EQ(stroke.paint.innerColor.a, 1.0f);
    EXPECT_EQ(stroke.fringe, 0.5f);
    EXPECT_EQ(stroke.strokeWidth, 1.0f);
    EXPECT_FLOAT_EQ(stroke.paths[0].verts[0].x, -0.25f);
    EXPECT_FLOAT_EQ(stroke.paths[0].verts[0].y, -0.75f);
    EXPECT_FLOAT_EQ(ctx->tessTol, 0.125f);
    EXPECT_FLOAT_EQ(ctx->distTol, 0.005f);

    // A ratio that is not a positive number counts as 1.
    vdBeginFrame(ctx, 10, 10, 0.0f);
    EXPECT_EQ(ctx->fringeWidth, 1.0f);
    vdBeginFrame(ctx, 10, 10, -2.0f);
    EXPECT_EQ(ctx->fringeWidth, 1.0f);
    vdDeleteInternal(ctx);
}

TEST(VectorContext, WithoutEdgeAntialiasingTheStrokeIsHalfItsWidthEachSide) {
    RecordingBackend backend;
    VDparams params = backend.Params(false);
    VDcontext* ctx = vdCreateInternal(&params);
    ASSERT_NE(ctx, nullptr);
    vdBeginFrame(ctx, 100, 100, 1.0f);
    vdBeginPath(ctx);
    vdMoveTo(ctx, 0, 0);
    vdLineTo(ctx, 10, 0);
    vdStrokeWidth(ctx, 4);
    vdStroke(ctx);
    EXPECT_FLOAT_EQ(backend.strokes.at(0).paths[0].verts[2].y, -2.0f);
    vdDeleteInternal(ctx);
}

TEST(VectorTransforms, ComposeAndInvert) {
    float t[6], s[6];
    vdTransformScale(t, 2, 3);
    vdTransformTranslate(s, 10, 20);
    vdTransformMultiply(t, s);  // scale, then translate
    EXPECT_EQ(t[0], 2.0f);
    EXPECT_EQ(t[3], 3.0f);
    EXPECT_EQ(t[4], 10.0f);
    EXPECT_EQ(t[5], 20.0f);

    float inv[6];
    ASSERT_EQ(vdTransformInverse(inv, t), 1);
    vdTransformMultiply(t, inv);
    const float identity[6] = {1, 0, 0, 1, 0, 0};
    for (int i = 0; i < 6; i++) EXPECT_NEAR(t[i], identity[i], 1e-6f) << i;

    vdTransformScale(s, 1e-4f, 1e-3f);  // determinant 1e-7: treated as singular
    EXPECT_EQ(vdTransformInverse(inv, s), 0);
    for (int i = 0; i < 6; i++) EXPECT_EQ(inv[i], identity[i]) << i;
}

}  // namespace
