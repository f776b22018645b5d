// Textures of the back end, known to the renderer by handles counting from 1.

#include <algorithm>

#include "vector/gl3/gl3_context.h"

namespace {

GLVDtexture* glvd__allocTexture(GLVDcontext* gl) {
    Growable<GLVDtexture>& textures = gl->textures;
    GLVDtexture* tex = nullptr;
    for (int i = 0; i < textures.count && !tex; i++)
        if (textures[i].id == 0) tex = &textures[i];
    if (!tex) {
        if (textures.count + 1 > textures.capacity &&
            !textures.Reallocate(std::max(textures.count + 1, 4) + textures.capacity / 2))
            return nullptr;
        tex = &textures[textures.count++];
    }
    *tex = GLVDtexture{};
    tex->id = ++gl->textureId;
    return tex;
}

GLVDtexture* glvd__findTexture(GLVDcontext* gl, int id) {
    for (int i = 0; i < gl->textures.count; i++)
        if (gl->textures[i].id == id) return &gl->textures[i];
    return nullptr;
}

void ReleaseTexture(GLVDtexture* tex) {
    if (tex->tex != 0 && !(tex->flags & GLVD_IMAGE_NODELETE)) glDeleteTextures(1, &tex->tex);
    *tex = GLVDtexture{};
}

}  // namespace

// Linear filtering, clamped to the edges; leaves no texture bound.
int glvd__renderCreateTexture(void* uptr, int type, int w, int h, int imageFlags, const unsigned char* data) {
    GLVDcontext* gl = static_cast<GLVDcontext*>(uptr);
    GLVDtexture* tex = glvd__allocTexture(gl);
    if (!tex) return 0;
    glGenTextures(1, &tex->tex);
    tex->width = w;
    tex->height = h;
    tex->type = type;
    tex->flags = imageFlags;
    glBindTexture(GL_TEXTURE_2D, tex->tex);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, w);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    if (type == VD_TEXTURE_RGBA)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, data);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, w, h, 0, GL_RED, GL_UNSIGNED_BYTE, data);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);

    glvd__checkError(gl, "create tex");
    glBindTexture(GL_TEXTURE_2D, 0);
    return tex->id;
}

int glvd__renderDeleteTexture(void* uptr, int image) {
    // Free slots carry id 0: never look that up.
    GLVDtexture* tex = image == 0 ? nullptr : glvd__findTexture(static_cast<GLVDcontext*>(uptr), image);
    if (!tex) return 0;
    ReleaseTexture(tex);
    return 1;
}

void glvd__deleteTextures(GLVDcontext* gl) {
    for (int i = 0; i < gl->textures.count; i++) ReleaseTexture(&gl->textures[i]);
}
