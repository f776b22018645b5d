// Creation and deletion of the OpenGL 3 back end, and its function table.

#include <cstdio>
#include <new>

#include "vector/gl3/gl3_context.h"
#include "vector/vector_gl3.h"

namespace {

int glvd__renderCreate(void* uptr) {
    GLVDcontext* gl = static_cast<GLVDcontext*>(uptr);
    glvd__checkError(gl, "init");
    if (!glvd__createShader(&gl->shader, "shader", gl->flags & VD_ANTIALIAS)) return 0;
    glvd__checkError(gl, "uniform locations");
    gl->shader.locViewSize = glGetUniformLocation(gl->shader.prog, "viewSize");
    gl->shader.locTex = glGetUniformLocation(gl->shader.prog, "tex");
    gl->shader.fragIndex = glGetUniformBlockIndex(gl->shader.prog, "frag");

    glGenVertexArrays(1, &gl->vertArr);
    glGenBuffers(1, &gl->vertBuf);
    glUniformBlockBinding(gl->shader.prog, gl->shader.fragIndex, 0);
    glGenBuffers(1, &gl->fragBuf);
    GLint align = 4;
    glGetIntegerv(GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT, &align);
    if (align < 1) align = 4;
    gl->fragSize = glvd__fragBlockSize(align);

    glvd__checkError(gl, "create done");
    glFinish();
    return 1;
}

void glvd__renderViewport(void* uptr, float width, float height) {
    GLVDcontext* gl = static_cast<GLVDcontext*>(uptr);
    gl->view[0] = width;
    gl->view[1] = height;
}

void glvd__renderDelete(void* uptr) {
    GLVDcontext* gl = static_cast<GLVDcontext*>(uptr);
    glvd__deleteShader(&gl->shader);
    glDeleteBuffers(1, &gl->fragBuf);
    glDeleteBuffers(1, &gl->vertBuf);
    glDeleteVertexArrays(1, &gl->vertArr);
    glvd__deleteTextures(gl);
    delete gl;
}

}  // namespace

void glvd__checkError(const GLVDcontext* gl, const char* label) {
    if (!(gl->flags & VD_DEBUG)) return;
    GLenum err = glGetError();
    if (err != GL_NO_ERROR) std::printf("Error %08x after %s\n", err, label);
}

// Always a whole alignment past the block, even when the block is already a
// multiple of it: 192 for 16, 180 for 4.
int glvd__fragBlockSize(int align) {
    int size = int(sizeof(GLVDfragUniforms));
    return size + align - size % align;
}

VDcontext* vdCreateGL3(int flags) {
    GLVDcontext* gl = new (std::nothrow) GLVDcontext{};
    if (!gl) return nullptr;
    gl->flags = flags;

    VDparams params{};
    params.userPtr = gl;
    params.edgeAntiAlias = flags & VD_ANTIALIAS ? 1 : 0;
    params.renderCreate = glvd__renderCreate;
    params.renderCreateTexture = glvd__renderCreateTexture;
    params.renderDeleteTexture = glvd__renderDeleteTexture;
    params.renderViewport = glvd__renderViewport;
    params.renderCancel = glvd__renderCancel;
    params.renderFlush = glvd__renderFlush;
    params.renderStroke = glvd__renderStroke;
    params.renderDelete = glvd__renderDelete;
    return vdCreateInternal(&params);
}
