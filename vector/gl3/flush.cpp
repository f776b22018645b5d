// Replaying a frame: one upload of every vertex and uniform block, then the
// calls in the order they were recorded.

#include <cstddef>

#include "vector/gl3/gl3_context.h"

namespace {

void glvd__setUniforms(GLVDcontext* gl, int uniformOffset) {
    glBindBufferRange(GL_UNIFORM_BUFFER, 0, gl->fragBuf, uniformOffset, sizeof(GLVDfragUniforms));
}

void glvd__stroke(GLVDcontext* gl, const GLVDcall& call) {
    glvd__setUniforms(gl, call.uniformOffset);
    glvd__checkError(gl, "stroke fill");
    for (int i = 0; i < call.pathCount; i++) {
        const GLVDpath& path = gl->paths[call.pathOffset + i];
        glDrawArrays(GL_TRIANGLE_STRIP, path.strokeOffset, path.strokeCount);
    }
}

// Premultiplied alpha over whatever is in the framebuffer; no depth, scissor
// or stencil effects.
void SetRenderState(GLVDcontext* gl) {
    glUseProgram(gl->shader.prog);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilMask(0xffffffff);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilFunc(GL_ALWAYS, 0, 0xffffffff);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Upload(GLVDcontext* gl) {
    glBindBuffer(GL_UNIFORM_BUFFER, gl->fragBuf);
    glBufferData(GL_UNIFORM_BUFFER, gl->uniforms.count, gl->uniforms.items, GL_STREAM_DRAW);

    glBindVertexArray(gl->vertArr);
    glBindBuffer(GL_ARRAY_BUFFER, gl->vertBuf);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(gl->verts.count * sizeof(VDvertex)), gl->verts.items, GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(VDvertex), reinterpret_cast<const void*>(0));
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(VDvertex),
                          reinterpret_cast<const void*>(offsetof(VDvertex, u)));

    glUniform1i(gl->shader.locTex, 0);
    glUniform2fv(gl->shader.locViewSize, 1, gl->view);
    glBindBuffer(GL_UNIFORM_BUFFER, gl->fragBuf);
}

void Unbind() {
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glBindVertexArray(0);
    glDisable(GL_CULL_FACE);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace

void glvd__renderFlush(void* uptr) {
    GLVDcontext* gl = static_cast<GLVDcontext*>(uptr);
    if (gl->calls.count > 0) {
        SetRenderState(gl);
        Upload(gl);
        for (int i = 0; i < gl->calls.count; i++) glvd__stroke(gl, gl->calls[i]);
        Unbind();
    }
    glvd__renderCancel(gl);
}
