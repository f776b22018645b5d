#pragma once
// The OpenGL 3 back end's recording of a frame and the GL objects it owns.
// Private to the vector folder (and its tests).

#include <epoxy/gl.h>

#include "vector/backend.h"
#include "vector/growable.h"

enum GLVDimageFlags {
    GLVD_IMAGE_NODELETE = 0x10000,  // the GL texture belongs to someone else
};

enum GLVDshaderType {
    GLVD_SHADER_FILLGRAD = 0,
};

struct GLVDshader {
    GLuint prog;
    GLuint frag;
    GLuint vert;
    GLint locViewSize;
    GLint locTex;
    GLuint fragIndex;
};

struct GLVDtexture {
    int id;  // 0 for a free slot
    GLuint tex;
    int width, height;
    int type;
    int flags;
};

struct GLVDcall {
    int pathOffset;
    int pathCount;
    int uniformOffset;  // bytes
};

struct GLVDpath {
    int strokeOffset;
    int strokeCount;
};

// The std140 block "frag" of the fragment stage.
struct GLVDfragUniforms {
    float scissorMat[12];  // three columns padded to vec4
    float paintMat[12];
    VDcolor innerCol;
    VDcolor outerCol;
    float scissorExt[2];
    float scissorScale[2];
    float extent[2];
    float radius;
    float feather;
    float strokeMult;
    float strokeThr;
    int texType;
    int type;
};
static_assert(sizeof(GLVDfragUniforms) == 176);

struct GLVDcontext {
    GLVDshader shader;
    float view[2];
    Growable<GLVDtexture> textures;
    int textureId;
    GLuint vertBuf;
    GLuint vertArr;
    GLuint fragBuf;
    int fragSize;  // bytes per uniform block, a multiple of the offset alignment
    int flags;
    Growable<GLVDcall> calls;
    Growable<GLVDpath> paths;
    Growable<VDvertex> verts;
    Growable<unsigned char> uniforms;  // count and capacity in bytes
};

// Prints a pending GL error after the step named, with the debug flag only.
void glvd__checkError(const GLVDcontext* gl, const char* label);
// The stride of uniform blocks for a uniform-buffer offset alignment.
int glvd__fragBlockSize(int align);

bool glvd__createShader(GLVDshader* shader, const char* name, bool edgeAntiAlias);
void glvd__deleteShader(GLVDshader* shader);

int glvd__renderCreateTexture(void* uptr, int type, int w, int h, int imageFlags, const unsigned char* data);
int glvd__renderDeleteTexture(void* uptr, int image);
void glvd__deleteTextures(GLVDcontext* gl);

void glvd__renderStroke(void* uptr, const VDpaint* paint, float fringe, float strokeWidth, const VDpath* paths,
                        int npaths);
void glvd__renderCancel(void* uptr);
void glvd__renderFlush(void* uptr);
