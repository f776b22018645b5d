// Stroking: the flattened paths become triangle strips with a fringe of
// width aa on every side when edges are antialiased.

#include <cmath>

#include "vector/context.h"

namespace {

constexpr float kMaxStrokeWidth = 200.0f;

// NaN lands on the minimum.
float vd__clampf(float a, float mn, float mx) {
    return !(a > mn) ? mn : (a > mx ? mx : a);
}

float vd__getAverageScale(const float* t) {
    float sx = std::sqrt(t[0] * t[0] + t[2] * t[2]);
    float sy = std::sqrt(t[1] * t[1] + t[3] * t[3]);
    return (sx + sy) * 0.5f;
}

VDvertex* vd__allocTempVerts(VDcontext* ctx, int nverts) {
    Growable<VDvertex>& verts = ctx->cache.verts;
    if (nverts > verts.capacity && !verts.Reallocate((nverts + 0xff) & ~0xff)) return nullptr;
    return verts.items;
}

// A butt cap's solid part stops half a fringe short of the end point, so that
// its fringe fades out half a fringe beyond it.
VDvertex* vd__buttCapStart(VDvertex* dst, const VDpoint* p, float dx, float dy, float w, float aa) {
    float px = p->x + dx * aa * 0.5f, py = p->y + dy * aa * 0.5f;
    float nx = dy, ny = -dx;
    dst = vd__vset(dst, px + nx * w - dx * aa, py + ny * w - dy * aa, 0, 0);
    dst = vd__vset(dst, px - nx * w - dx * aa, py - ny * w - dy * aa, 1, 0);
    dst = vd__vset(dst, px + nx * w, py + ny * w, 0, 1);
    dst = vd__vset(dst, px - nx * w, py - ny * w, 1, 1);
    return dst;
}

VDvertex* vd__buttCapEnd(VDvertex* dst, const VDpoint* p, float dx, float dy, float w, float aa) {
    float px = p->x - dx * aa * 0.5f, py = p->y - dy * aa * 0.5f;
    float nx = dy, ny = -dx;
    dst = vd__vset(dst, px + nx * w, py + ny * w, 0, 1);
    dst = vd__vset(dst, px - nx * w, py - ny * w, 1, 1);
    dst = vd__vset(dst, px + nx * w + dx * aa, py + ny * w + dy * aa, 0, 0);
    dst = vd__vset(dst, px - nx * w + dx * aa, py - ny * w + dy * aa, 1, 0);
    return dst;
}

int VertexBudget(const VDcontext* ctx) {
    int cverts = 0;
    const Growable<VDpath>& paths = ctx->cache.paths;
    for (int i = 0; i < paths.count; i++) {
        cverts += (paths[i].count + paths[i].nbevel * 5 + 1) * 2;
        if (!paths[i].closed) cverts += (3 + 3) * 2;  // two caps
    }
    return cverts;
}

VDvertex* StrokePath(VDvertex* dst, VDpoint* pts, const VDpath& path, float w, float aa) {
    const VDvertex* start = dst;
    VDpoint* p0 = path.closed ? &pts[path.count - 1] : &pts[0];
    VDpoint* p1 = path.closed ? &pts[0] : &pts[1];
    int s = path.closed ? 0 : 1;
    int e = path.closed ? path.count : path.count - 1;

    if (!path.closed) dst = vd__buttCapStart(dst, p0, p0->dx, p0->dy, w, aa);
    for (int j = s; j < e; ++j) {
        if (p1->flags & (VD_PT_BEVEL | VD_PT_INNERBEVEL)) {
            dst = vd__bevelJoin(dst, p0, p1, w);
        } else {
            dst = vd__vset(dst, p1->x + p1->dmx * w, p1->y + p1->dmy * w, 0, 1);
            dst = vd__vset(dst, p1->x - p1->dmx * w, p1->y - p1->dmy * w, 1, 1);
        }
        p0 = p1++;
    }
    if (path.closed) {
        dst = vd__vset(dst, start[0].x, start[0].y, 0, 1);
        dst = vd__vset(dst, start[1].x, start[1].y, 1, 1);
    } else {
        dst = vd__buttCapEnd(dst, p1, p0->dx, p0->dy, w, aa);
    }
    return dst;
}

}  // namespace

bool vd__expandStroke(VDcontext* ctx, float w, float miterLimit) {
    float aa = ctx->fringeWidth;
    vd__calculateJoins(ctx, w, miterLimit);
    VDvertex* verts = vd__allocTempVerts(ctx, VertexBudget(ctx));
    if (!verts) return false;

    Growable<VDpath>& paths = ctx->cache.paths;
    for (int i = 0; i < paths.count; i++) {
        VDpath& path = paths[i];
        path.stroke = verts;
        // A path needs two distinct points before it has a direction to stroke.
        VDvertex* end = path.count < 2 ? verts : StrokePath(verts, &ctx->cache.points[path.first], path, w, aa);
        path.nstroke = int(end - verts);
        verts = end;
    }
    return true;
}

void vdStroke(VDcontext* ctx) {
    const VDstate& state = ctx->state;
    float fringe = ctx->fringeWidth;
    float strokeWidth = vd__clampf(state.strokeWidth * vd__getAverageScale(state.xform), 0.0f, kMaxStrokeWidth);
    VDpaint paint = state.stroke;
    if (strokeWidth < fringe) {
        // Thinner than the fringe: draw one fringe wide and fade by the coverage.
        float alpha = vd__clampf(strokeWidth / fringe, 0.0f, 1.0f);
        paint.innerColor.a *= alpha * alpha;
        paint.outerColor.a *= alpha * alpha;
        strokeWidth = fringe;
    }

    vd__flattenPaths(ctx);
    float w = ctx->params.edgeAntiAlias ? (strokeWidth + fringe) * 0.5f : strokeWidth * 0.5f;
    if (!vd__expandStroke(ctx, w, state.miterLimit)) return;

    const Growable<VDpath>& paths = ctx->cache.paths;
    int drawn = 0, triangles = 0;
    for (int i = 0; i < paths.count; i++) {
        if (paths[i].nstroke == 0) continue;
        drawn++;
        triangles += paths[i].nstroke - 2;
    }
    if (drawn == 0) return;
    ctx->params.renderStroke(ctx->params.userPtr, &paint, fringe, strokeWidth, paths.items, paths.count);
    ctx->drawCallCount += drawn;
    ctx->strokeTriCount += triangles;
}
