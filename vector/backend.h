#pragma once
// The table through which the path renderer hands its work to a back end,
// and the data it hands over. Pointers passed to the functions are valid only
// during the call.

#include "vector/vector.h"

struct VDpaint {
    float xform[6];
    float extent[2];
    float radius;
    float feather;
    VDcolor innerColor;
    VDcolor outerColor;
};

// One corner of a stroke's triangle strip. u runs across the stroke (0 on the
// left edge, 1 on the right), v along the fringe (0 at an end's outer edge).
struct VDvertex {
    float x, y, u, v;
};

// One flattened sub-path and its stroke strip (empty for fewer than two points).
struct VDpath {
    int first;
    int count;
    unsigned char closed;
    int nbevel;
    VDvertex* stroke;
    int nstroke;
};

enum VDtextureType {
    VD_TEXTURE_ALPHA = 1,
    VD_TEXTURE_RGBA = 2,
};

struct VDparams {
    void* userPtr;
    int edgeAntiAlias;
    // Each returns 0 on failure.
    int (*renderCreate)(void* uptr);
    // A texture handle counting from 1, or 0; data (w * h pixels) may be null.
    int (*renderCreateTexture)(void* uptr, int type, int w, int h, int imageFlags, const unsigned char* data);
    int (*renderDeleteTexture)(void* uptr, int image);
    void (*renderViewport)(void* uptr, float width, float height);
    void (*renderCancel)(void* uptr);
    void (*renderFlush)(void* uptr);
    void (*renderStroke)(void* uptr, const VDpaint* paint, float fringe, float strokeWidth,
                         const VDpath* paths, int npaths);
    void (*renderDelete)(void* uptr);
};
