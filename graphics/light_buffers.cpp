#include <string>

#include <epoxy/gl.h>

#include "core/diagnostics/debug_print.h"
#include "graphics/device_state.h"
#include "graphics/light_renderer.h"

namespace {

// Storage without data, sampled texel for texel, attached as `attachment`
// of the bound framebuffer.
void AttachTexture(unsigned texture, GLenum attachment, GLint internalFormat, GLenum format, GLenum type, int width,
                   int height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, texture, 0);
}

void AttachStencil(unsigned renderbuffer, int width, int height) {
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_STENCIL_INDEX8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, renderbuffer);
}

void CheckComplete(const std::string& name) {
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) DebugPrint(name + " not complete!");
}

}  // namespace

LightRenderer::LightRenderer()
    : shadowShader("shaders/shadow_shader.vs", "shaders/shadow_shader.frag"),
      spriteShader("shaders/sprite_shader.vs", "shaders/sprite_shader.frag"),
      spriteRuns(graphics_state::spriteQuad),
      tileRuns(graphics_state::centredQuad) {
    shadow_geometry::BuildTrigTables();

    glGenFramebuffers(1, &gBuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, gBuffer);
    glGenRenderbuffers(1, &gStencil);
    glGenTextures(1, &gColour);
    AttachTexture(gColour, GL_COLOR_ATTACHMENT0, GL_RGB16F, GL_RGB, GL_FLOAT, kWidth, kHeight);
    glGenTextures(1, &gDepth);
    AttachTexture(gDepth, GL_COLOR_ATTACHMENT1, GL_R32F, GL_RED, GL_FLOAT, kWidth, kHeight);
    AttachStencil(gStencil, kWidth, kHeight);
    const GLenum drawBuffers[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, drawBuffers);
    CheckComplete("gBuffer");

    glGenFramebuffers(2, sBuffers);
    glGenTextures(2, sTextures);
    glGenRenderbuffers(2, sStencils);
    for (int i = 0; i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, sBuffers[i]);
        AttachTexture(sTextures[i], GL_COLOR_ATTACHMENT0, GL_R32UI, GL_RED_INTEGER, GL_UNSIGNED_INT, kWidth,
                      kShadowHeight);
        AttachStencil(sStencils[i], kWidth, kShadowHeight);
        CheckComplete("sBuffer" + std::to_string(i));
    }

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenVertexArrays(1, &streamVAO);
    glGenBuffers(1, &streamVBO);
}

LightRenderer::~LightRenderer() {
    glDeleteFramebuffers(1, &gBuffer);
    glDeleteTextures(1, &gColour);
    glDeleteTextures(1, &gDepth);
    glDeleteRenderbuffers(1, &gStencil);
    glDeleteFramebuffers(2, sBuffers);
    glDeleteTextures(2, sTextures);
    glDeleteRenderbuffers(2, sStencils);
    glDeleteVertexArrays(1, &streamVAO);
    glDeleteBuffers(1, &streamVBO);
}
