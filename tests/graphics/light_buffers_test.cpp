// The light renderer's buffers as the lighting passes expect them.
#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include "core/diagnostics/console.h"
#include "graphics/device_state.h"
#include "tests/graphics/graphics_fixture.h"

namespace {

struct TextureShape {
    GLint format, width, height;
};

TextureShape ShapeOf(unsigned texture) {
    TextureShape shape{};
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &shape.format);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &shape.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &shape.height);
    return shape;
}

GLint Attached(GLenum attachment, GLenum what) {
    GLint value = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment, what, &value);
    return value;
}

using LightBuffers = GraphicsTest;

TEST_F(LightBuffers, GeometryAndShadowBuffersAreCompleteWithTheirFormats) {
    const LightRenderer& lights = *graphics_state::lightRenderer;
    const struct {
        unsigned framebuffer;
        unsigned colour[2];
        GLint format[2];
        int height;
        unsigned stencil;
    } buffers[] = {
        {lights.gBuffer, {lights.gColour, lights.gDepth}, {GL_RGB16F, GL_R32F}, 280, lights.gStencil},
        {lights.sBuffers[0], {lights.sTextures[0], 0}, {GL_R32UI, 0}, 980, lights.sStencils[0]},
        {lights.sBuffers[1], {lights.sTextures[1], 0}, {GL_R32UI, 0}, 980, lights.sStencils[1]},
    };
    for (const auto& b : buffers) {
        SCOPED_TRACE(b.framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, b.framebuffer);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        for (int i = 0; i < 2 && b.colour[i]; ++i) {
            EXPECT_EQ(Attached(GL_COLOR_ATTACHMENT0 + i, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME),
                      static_cast<GLint>(b.colour[i]));
            const TextureShape shape = ShapeOf(b.colour[i]);
            EXPECT_EQ(shape.format, b.format[i]);
            EXPECT_EQ(shape.width, 498);
            EXPECT_EQ(shape.height, b.height);
        }
        EXPECT_EQ(Attached(GL_STENCIL_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME),
                  static_cast<GLint>(b.stencil));
        EXPECT_EQ(Attached(GL_STENCIL_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE), 8);
        EXPECT_EQ(Attached(GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE), GL_NONE);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, lights.gBuffer);
    GLint drawBuffer = 0;
    glGetIntegerv(GL_DRAW_BUFFER1, &drawBuffer);
    EXPECT_EQ(drawBuffer, GL_COLOR_ATTACHMENT1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(Console::GetLines().empty()) << Console::GetLines().front();
}

}  // namespace
