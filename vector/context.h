#pragma once
// The path renderer's context and the steps its files share. Private to the
// vector folder (and its tests).

#include "vector/backend.h"
#include "vector/growable.h"
#include "vector/vector.h"

struct GAcontext;

// Command codes, stored as the first float of each command.
enum VDcommands {
    VD_MOVETO = 0,
    VD_LINETO = 1,
    VD_BEZIERTO = 2,
    VD_CLOSE = 3,
};

enum VDpointFlags {
    VD_PT_CORNER = 0x01,
    VD_PT_LEFT = 0x02,
    VD_PT_BEVEL = 0x04,
    VD_PT_INNERBEVEL = 0x08,
};

// Strokes have butt caps and miter joins, bevelled where the miter limit or a
// short segment asks for it.
struct VDstate {
    VDpaint stroke;
    float strokeWidth;
    float miterLimit;
    float xform[6];
};

struct VDpoint {
    float x, y;
    float dx, dy;    // unit direction to the next point
    float len;       // distance to the next point
    float dmx, dmy;  // extrusion of the join
    unsigned char flags;
};

struct VDpathCache {
    Growable<VDpoint> points;
    Growable<VDpath> paths;
    Growable<VDvertex> verts;
};

struct VDcontext {
    VDparams params;
    Growable<float> commands;
    VDstate state;
    VDpathCache cache;
    float tessTol;
    float distTol;
    float fringeWidth;
    float devicePxRatio;
    GAcontext* atlas;
    int fontImage;  // the atlas's texture; 0 when none
    int drawCallCount;
    int strokeTriCount;
};

// Flattens the commands into the cache's paths, once per begin-path.
void vd__flattenPaths(VDcontext* ctx);
// Flags every point's join and sets its extrusion for half width w.
void vd__calculateJoins(VDcontext* ctx, float w, float miterLimit);
// Builds every path's stroke strip; false (nothing built) when memory is short.
bool vd__expandStroke(VDcontext* ctx, float w, float miterLimit);
// Writes one vertex; returns the next slot.
inline VDvertex* vd__vset(VDvertex* dst, float x, float y, float u, float v) {
    *dst = {x, y, u, v};
    return dst + 1;
}
// Emits the bevel join at p1; returns the vertex after the last one written.
VDvertex* vd__bevelJoin(VDvertex* dst, const VDpoint* p0, const VDpoint* p1, float w);
