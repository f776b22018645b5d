// The OpenGL 3 back end on a real core 3.3 context, read back with glReadPixels.

#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/gl_context.h"
#include "vector/context.h"
#include "vector/gl3/gl3_context.h"
#include "vector/vector_gl3.h"

namespace {

constexpr int kSize = 64;

class Gl3 : public ::testing::Test {
protected:
    void SetUp() override {
        glGenTextures(1, &target);
        glBindTexture(GL_TEXTURE_2D, target);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenFramebuffers(1, &fbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, kSize, kSize);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        ctx = vdCreateGL3(VD_ANTIALIAS);
        ASSERT_NE(ctx, nullptr);
    }
    void TearDown() override {
        vdDeleteInternal(ctx);
        glDeleteFramebuffers(1, &fbo);
        glDeleteTextures(1, &target);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    GLVDcontext* Backend() const { return static_cast<GLVDcontext*>(ctx->params.userPtr); }

    void StrokeLine(float x0, float y0, float x1, float y1, VDcolor color = {1, 1, 1, 1}) {
        vdBeginPath(ctx);
        vdMoveTo(ctx, x0, y0);
        vdLineTo(ctx, x1, y1);
        vdStrokeColor(ctx, color);
        vdStroke(ctx);
    }

    // Channel c (0 red ... 3 alpha) of pixel (x, y), y counted down from the top.
    int At(int x, int y, int c = 0) {
        unsigned char rgba[4];
        glReadPixels(x, kSize - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return rgba[c];
    }

    testing_support::GlContext window;
    GLuint target = 0, fbo = 0;
    VDcontext* ctx = nullptr;
};

TEST_F(Gl3, LineCoverageIsFullOnePixelInAndZeroAtTheFringesOuterEdge) {
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    StrokeLine(10, 20.5f, 40, 20.5f);
    StrokeLine(10, 40, 40, 40);  // on a pixel boundary: half of each row
    vdEndFrame(ctx);

    for (int x = 10; x < 40; x++) {
        EXPECT_GE(At(x, 20), 250) << x;
        EXPECT_LE(At(x, 19), 3) << x;
        EXPECT_LE(At(x, 21), 3) << x;
        EXPECT_NEAR(At(x, 39), 128, 4) << x;
        EXPECT_NEAR(At(x, 40), 128, 4) << x;
    }
    EXPECT_LE(At(9, 20), 3);
    EXPECT_LE(At(40, 20), 3);
}

TEST_F(Gl3, RectangleOutlineHasFullEdgesAndMiteredCorners) {
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    vdBeginPath(ctx);
    vdRect(ctx, 10.5f, 10.5f, 30, 20);
    vdStrokeColor(ctx, {1, 1, 1, 1});
    vdStroke(ctx);
    vdEndFrame(ctx);

    for (int x : {10, 25, 40}) {
        EXPECT_GE(At(x, 10), 250) << x;
        EXPECT_GE(At(x, 30), 250) << x;
    }
    for (int y : {10, 20, 30}) {
        EXPECT_GE(At(10, y), 250) << y;
        EXPECT_GE(At(40, y), 250) << y;
    }
    for (int x : {9, 11, 39, 41}) EXPECT_LE(At(x, 20), 3) << x;
    for (int y : {9, 11, 29, 31}) EXPECT_LE(At(25, y), 3) << y;
    EXPECT_LE(At(25, 20), 3);
    EXPECT_LE(At(9, 9), 3);
    EXPECT_LE(At(41, 31), 3);
}

TEST_F(Gl3, CircleOutlineFollowsTheCircle) {
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    vdBeginPath(ctx);
    vdCircle(ctx, 32.5f, 32.5f, 20);
    vdStrokeColor(ctx, {1, 1, 1, 1});
    vdStroke(ctx);
    vdEndFrame(ctx);

    // The four points where the curve segments meet lie exactly on the circle.
    struct {
        int x, y, dx, dy;
    } const ends[] = {{52, 32, 1, 0}, {12, 32, -1, 0}, {32, 52, 0, 1}, {32, 12, 0, -1}};
    for (const auto& p : ends) {
        EXPECT_GE(At(p.x, p.y), 245) << p.x << "," << p.y;
        EXPECT_LE(At(p.x + p.dx, p.y + p.dy), 6) << p.x << "," << p.y;
        EXPECT_LE(At(p.x - p.dx, p.y - p.dy), 6) << p.x << "," << p.y;
    }
    EXPECT_LE(At(32, 32), 3);
}

struct GlState {
    GLint program, vertexArray, arrayBuffer, texture, activeTexture, blendSrc, blendDst, stencilFunc;
    GLboolean blend, cull, depth, scissor;

    static GlState Read() {
        GlState s{};
        glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
        glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &s.vertexArray);
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
        glGetIntegerv(GL_ACTIVE_TEXTURE, &s.activeTexture);
        glGetIntegerv(GL_BLEND_SRC_RGB, &s.blendSrc);
        glGetIntegerv(GL_BLEND_DST_RGB, &s.blendDst);
        glGetIntegerv(GL_STENCIL_FUNC, &s.stencilFunc);
        s.blend = glIsEnabled(GL_BLEND);
        s.cull = glIsEnabled(GL_CULL_FACE);
        s.depth = glIsEnabled(GL_DEPTH_TEST);
        s.scissor = glIsEnabled(GL_SCISSOR_TEST);
        return s;
    }
    bool operator==(const GlState&) const = default;
};

TEST_F(Gl3, AFrameWithoutStrokesLeavesTheGlStateAlone) {
    GLuint vao, buffer, texture;
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &buffer);
    glGenTextures(1, &texture);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
    glEnable(GL_DEPTH_TEST);
    glStencilFunc(GL_NEVER, 0, 0xff);
    const GlState before = GlState::Read();

    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    StrokeLine(5, 5, 5.001f, 5);  // collapses to nothing
    vdEndFrame(ctx);
    EXPECT_TRUE(GlState::Read() == before);
    EXPECT_EQ(At(5, 5, 3), 0);

    // The same frame with a stroke does change it.
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    StrokeLine(5, 5, 20, 5);
    vdEndFrame(ctx);
    EXPECT_FALSE(GlState::Read() == before);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));

    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vao);
    glDeleteBuffers(1, &buffer);
    glDeleteTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(Gl3, StrokesDrawInRecordingOrderEachWithItsOwnBlock) {
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    StrokeLine(10, 20.5f, 40, 20.5f, {1, 0, 0, 1});
    StrokeLine(10, 20.5f, 40, 20.5f, {0, 1, 0, 1});
    ASSERT_EQ(Backend()->calls.count, 2);
    EXPECT_EQ(Backend()->calls[0].uniformOffset, 0);
    EXPECT_EQ(Backend()->calls[1].uniformOffset, Backend()->fragSize);
    EXPECT_EQ(Backend()->uniforms.count, 2 * Backend()->fragSize);
    EXPECT_EQ(Backend()->verts.count, 16);
    EXPECT_EQ(Backend()->paths[1].strokeOffset, 8);
    vdEndFrame(ctx);
    EXPECT_EQ(At(25, 20, 0), 0);
    EXPECT_GE(At(25, 20, 1), 250);

    EXPECT_EQ(Backend()->calls.count, 0);
    EXPECT_EQ(Backend()->verts.count, 0);
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    StrokeLine(10, 20.5f, 40, 20.5f, {0, 1, 0, 1});
    StrokeLine(10, 20.5f, 40, 20.5f, {1, 0, 0, 1});
    vdEndFrame(ctx);
    EXPECT_GE(At(25, 20, 0), 250);
    EXPECT_EQ(At(25, 20, 1), 0);
}

TEST_F(Gl3, HalfTransparentStrokesBlendPremultiplied) {
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    StrokeLine(10, 20.5f, 40, 20.5f, {1, 0, 0, 0.5f});
    vdEndFrame(ctx);
    EXPECT_NEAR(At(25, 20, 0), 128, 2);
    EXPECT_NEAR(At(25, 20, 2), 128, 2);
    EXPECT_EQ(At(25, 30, 2), 255);
}

TEST_F(Gl3, CancelDropsWhatTheFrameRecorded) {
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    StrokeLine(10, 20.5f, 40, 20.5f);
    vdCancelFrame(ctx);
    EXPECT_EQ(Backend()->calls.count, 0);
    EXPECT_EQ(Backend()->uniforms.count, 0);
    vdEndFrame(ctx);
    EXPECT_EQ(At(25, 20), 0);
}

TEST_F(Gl3, UniformBlocksAreSpacedAWholeAlignmentApart) {
    EXPECT_EQ(glvd__fragBlockSize(16), 192);
    EXPECT_EQ(glvd__fragBlockSize(256), 256);
    EXPECT_EQ(glvd__fragBlockSize(4), 180);
    GLint align = 0;
    glGetIntegerv(GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT, &align);
    ASSERT_GT(align, 0);
    EXPECT_EQ(Backend()->fragSize, glvd__fragBlockSize(align));
    EXPECT_EQ(Backend()->fragSize % align, 0);
}

TEST_F(Gl3, UniformBlockLayoutMatchesTheShader) {
    const GLuint prog = Backend()->shader.prog;
    GLint size = 0;
    glGetActiveUniformBlockiv(prog, Backend()->shader.fragIndex, GL_UNIFORM_BLOCK_DATA_SIZE, &size);
    EXPECT_EQ(size, 176);

#define MEMBER(m) {#m, offsetof(GLVDfragUniforms, m)}
    const struct {
        const char* name;
        std::size_t offset;
    } members[] = {
        MEMBER(scissorMat),
        MEMBER(paintMat),
        MEMBER(innerCol),
        MEMBER(outerCol),
        MEMBER(scissorExt),
        MEMBER(scissorScale),
        MEMBER(extent),
        MEMBER(radius),
        MEMBER(feather),
        MEMBER(strokeMult),
        MEMBER(strokeThr),
        MEMBER(texType),
        MEMBER(type),
    };
#undef MEMBER
    for (const auto& member : members) {
        GLuint index = GL_INVALID_INDEX;
        glGetUniformIndices(prog, 1, &member.name, &index);
        ASSERT_NE(index, GL_INVALID_INDEX) << member.name;
        GLint offset = -1;
        glGetActiveUniformsiv(prog, 1, &index, GL_UNIFORM_OFFSET, &offset);
        EXPECT_EQ(offset, GLint(member.offset)) << member.name;
    }
    EXPECT_NE(Backend()->shader.locViewSize, -1);
    EXPECT_NE(Backend()->shader.locTex, -1);
}

TEST_F(Gl3, TheAtlasTextureAndProgramGoWithTheContext) {
    ASSERT_EQ(Backend()->textures.count, 1);
    const GLVDtexture atlas = Backend()->textures[0];
    EXPECT_EQ(atlas.id, ctx->fontImage);
    EXPECT_EQ(atlas.type, VD_TEXTURE_ALPHA);
    glBindTexture(GL_TEXTURE_2D, atlas.tex);
    GLint width = 0, format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(format, GL_R8);

    const GLuint prog = Backend()->shader.prog;
    vdDeleteInternal(ctx);
    ctx = nullptr;
    EXPECT_FALSE(glIsTexture(atlas.tex));
    EXPECT_FALSE(glIsProgram(prog));
}

TEST_F(Gl3, WithoutEdgeAntialiasingStrokesHaveNoFringe) {
    VDcontext* aliased = vdCreateGL3(0);
    ASSERT_NE(aliased, nullptr);
    vdBeginFrame(aliased, kSize, kSize, 1.0f);
    vdBeginPath(aliased);
    vdMoveTo(aliased, 10, 20.5f);
    vdLineTo(aliased, 40, 20.5f);
    vdStrokeColor(aliased, {1, 1, 1, 1});
    vdStroke(aliased);
    vdEndFrame(aliased);
    vdDeleteInternal(aliased);
    EXPECT_EQ(At(25, 20), 255);
    EXPECT_EQ(At(25, 19), 0);
    EXPECT_EQ(At(25, 21), 0);
}

// What a context with these flags prints over a frame, created while a GL
// error is pending.
std::string PrintedWithAnErrorPending(int flags) {
    glEnable(GL_TEXTURE_2D);  // not a core capability: GL_INVALID_ENUM
    testing::internal::CaptureStdout();
    VDcontext* made = vdCreateGL3(flags);
    vdBeginFrame(made, kSize, kSize, 1.0f);
    vdBeginPath(made);
    vdRect(made, 4, 4, 8, 8);
    vdStroke(made);
    vdEndFrame(made);
    vdDeleteInternal(made);
    std::fflush(stdout);
    glGetError();
    return testing::internal::GetCapturedStdout();
}

TEST_F(Gl3, TheDebugFlagReportsPendingGlErrors) {
    EXPECT_EQ(PrintedWithAnErrorPending(VD_ANTIALIAS), "");
    EXPECT_EQ(PrintedWithAnErrorPending(VD_ANTIALIAS | VD_DEBUG), "Error 00000500 after init\n");
}

}  // namespace
