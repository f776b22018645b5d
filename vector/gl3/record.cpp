// Recording a frame's strokes: calls, their paths, the vertices and one
// uniform block per call, each in an array that keeps its capacity.

#include <algorithm>
#include <cstring>

#include "vector/gl3/gl3_context.h"

namespace {

constexpr int kMinRecords = 128;
constexpr int kMinVertices = 4096;

// Reserves n items at the end; their offset, or -1 when memory is short.
template <class T>
int Reserve(Growable<T>& array, int n, int minimum) {
    if (array.count + n > array.capacity &&
        !array.Reallocate(std::max(array.count + n, minimum) + array.capacity / 2))
        return -1;
    int offset = array.count;
    array.count += n;
    return offset;
}

int glvd__allocCall(GLVDcontext* gl) {
    return Reserve(gl->calls, 1, kMinRecords);
}

int glvd__allocPaths(GLVDcontext* gl, int n) {
    return Reserve(gl->paths, n, kMinRecords);
}

int glvd__allocVerts(GLVDcontext* gl, int n) {
    return Reserve(gl->verts, n, kMinVertices);
}

int glvd__maxVertCount(const VDpath* paths, int npaths) {
    int count = 0;
    for (int i = 0; i < npaths; i++) count += paths[i].nstroke;
    return count;
}

// Byte offset of n new uniform blocks, or -1.
int glvd__allocFragUniforms(GLVDcontext* gl, int n) {
    Growable<unsigned char>& uniforms = gl->uniforms;
    int blocks = uniforms.count / gl->fragSize;
    if (uniforms.count + n * gl->fragSize > uniforms.capacity) {
        int capacityBlocks = std::max(blocks + n, kMinRecords) + uniforms.capacity / gl->fragSize / 2;
        if (!uniforms.Reallocate(capacityBlocks * gl->fragSize)) return -1;
    }
    uniforms.count += n * gl->fragSize;
    return blocks * gl->fragSize;
}

void glvd__xformToMat3x4(float* m3, const float* t) {
    const float columns[12] = {t[0], t[1], 0, 0, t[2], t[3], 0, 0, t[4], t[5], 1, 0};
    std::memcpy(m3, columns, sizeof(columns));
}

VDcolor glvd__premulColor(VDcolor c) {
    return {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
}

void glvd__convertPaint(GLVDfragUniforms* frag, const VDpaint* paint, float width, float fringe, float strokeThr) {
    *frag = GLVDfragUniforms{};
    frag->innerCol = glvd__premulColor(paint->innerColor);
    frag->outerCol = glvd__premulColor(paint->outerColor);
    // No scissor: a zero matrix with unit extent leaves every fragment inside.
    frag->scissorExt[0] = frag->scissorExt[1] = 1.0f;
    frag->scissorScale[0] = frag->scissorScale[1] = 1.0f;
    frag->extent[0] = paint->extent[0];
    frag->extent[1] = paint->extent[1];
    frag->strokeMult = (width * 0.5f + fringe * 0.5f) / fringe;
    frag->strokeThr = strokeThr;
    frag->type = GLVD_SHADER_FILLGRAD;
    frag->radius = paint->radius;
    frag->feather = paint->feather;
    float invxform[6];
    vdTransformInverse(invxform, paint->xform);
    glvd__xformToMat3x4(frag->paintMat, invxform);
}

}  // namespace

void glvd__renderStroke(void* uptr, const VDpaint* paint, float fringe, float strokeWidth, const VDpath* paths,
                        int npaths) {
    GLVDcontext* gl = static_cast<GLVDcontext*>(uptr);
    // Counts to return to when a reservation fails half way.
    const int ncalls = gl->calls.count, npathsBefore = gl->paths.count, nverts = gl->verts.count,
              nuniforms = gl->uniforms.count;

    int callIndex = glvd__allocCall(gl);
    int pathOffset = callIndex < 0 ? -1 : glvd__allocPaths(gl, npaths);
    int offset = pathOffset < 0 ? -1 : glvd__allocVerts(gl, glvd__maxVertCount(paths, npaths));
    int uniformOffset = offset < 0 ? -1 : glvd__allocFragUniforms(gl, 1);
    if (uniformOffset < 0) {
        gl->calls.count = ncalls;
        gl->paths.count = npathsBefore;
        gl->verts.count = nverts;
        gl->uniforms.count = nuniforms;
        return;
    }

    gl->calls[callIndex] = {pathOffset, npaths, uniformOffset};
    for (int i = 0; i < npaths; i++) {
        gl->paths[pathOffset + i] = {offset, paths[i].nstroke};
        if (paths[i].nstroke > 0)
            std::memcpy(&gl->verts[offset], paths[i].stroke, sizeof(VDvertex) * paths[i].nstroke);
        offset += paths[i].nstroke;
    }
    GLVDfragUniforms* frag = reinterpret_cast<GLVDfragUniforms*>(&gl->uniforms[uniformOffset]);
    glvd__convertPaint(frag, paint, strokeWidth, fringe, -1.0f);
}

void glvd__renderCancel(void* uptr) {
    GLVDcontext* gl = static_cast<GLVDcontext*>(uptr);
    gl->calls.count = 0;
    gl->paths.count = 0;
    gl->verts.count = 0;
    gl->uniforms.count = 0;
}
