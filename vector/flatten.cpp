// Flattening: the command buffer becomes sub-paths of points, with curves
// subdivided to the tessellation tolerance and near-duplicate points merged.

#include <cmath>
#include <utility>

#include "vector/context.h"

namespace {

constexpr int kMaxBezierLevel = 10;

bool vd__ptEquals(float x1, float y1, float x2, float y2, float tol) {
    float dx = x2 - x1, dy = y2 - y1;
    return dx * dx + dy * dy < tol * tol;
}

float vd__normalize(float* x, float* y) {
    float d = std::sqrt(*x * *x + *y * *y);
    if (d > 1e-6f) {
        float id = 1.0f / d;
        *x *= id;
        *y *= id;
    }
    return d;
}

VDpath* vd__lastPath(VDcontext* ctx) {
    Growable<VDpath>& paths = ctx->cache.paths;
    return paths.count > 0 ? &paths.Last() : nullptr;
}

void vd__addPath(VDcontext* ctx) {
    Growable<VDpath>& paths = ctx->cache.paths;
    if (paths.count + 1 > paths.capacity && !paths.Reallocate(paths.count + 1 + paths.capacity / 2)) return;
    paths[paths.count] = VDpath{};
    paths[paths.count].first = ctx->cache.points.count;
    paths.count++;
}

// Points before the first move-to have no path to join and are dropped.
void vd__addPoint(VDcontext* ctx, float x, float y, int flags) {
    VDpath* path = vd__lastPath(ctx);
    if (!path) return;
    Growable<VDpoint>& points = ctx->cache.points;
    if (path->count > 0) {
        VDpoint& last = points.Last();
        if (vd__ptEquals(last.x, last.y, x, y, ctx->distTol)) {
            last.flags = static_cast<unsigned char>(last.flags | flags);
            return;
        }
    }
    if (points.count + 1 > points.capacity && !points.Reallocate(points.count + 1 + points.capacity / 2)) return;
    VDpoint& pt = points[points.count];
    pt = VDpoint{};
    pt.x = x;
    pt.y = y;
    pt.flags = static_cast<unsigned char>(flags);
    points.count++;
    path->count++;
}

void vd__closePath(VDcontext* ctx) {
    if (VDpath* path = vd__lastPath(ctx)) path->closed = 1;
}

void vd__tesselateBezier(VDcontext* ctx, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                         float y4, int level, int type) {
    if (level > kMaxBezierLevel) return;

    float dx = x4 - x1, dy = y4 - y1;
    float d2 = std::fabs((x2 - x4) * dy - (y2 - y4) * dx);
    float d3 = std::fabs((x3 - x4) * dy - (y3 - y4) * dx);
    if ((d2 + d3) * (d2 + d3) < ctx->tessTol * (dx * dx + dy * dy)) {
        vd__addPoint(ctx, x4, y4, type);
        return;
    }

    float x12 = (x1 + x2) * 0.5f, y12 = (y1 + y2) * 0.5f;
    float x23 = (x2 + x3) * 0.5f, y23 = (y2 + y3) * 0.5f;
    float x34 = (x3 + x4) * 0.5f, y34 = (y3 + y4) * 0.5f;
    float x123 = (x12 + x23) * 0.5f, y123 = (y12 + y23) * 0.5f;
    float x234 = (x23 + x34) * 0.5f, y234 = (y23 + y34) * 0.5f;
    float x1234 = (x123 + x234) * 0.5f, y1234 = (y123 + y234) * 0.5f;
    vd__tesselateBezier(ctx, x1, y1, x12, y12, x123, y123, x1234, y1234, level + 1, 0);
    vd__tesselateBezier(ctx, x1234, y1234, x234, y234, x34, y34, x4, y4, level + 1, type);
}

void ReadCommands(VDcontext* ctx) {
    const Growable<float>& cmd = ctx->commands;
    int i = 0;
    while (i < cmd.count) {
        switch (int(cmd[i])) {
        case VD_MOVETO:
            vd__addPath(ctx);
            vd__addPoint(ctx, cmd[i + 1], cmd[i + 2], VD_PT_CORNER);
            i += 3;
            break;
        case VD_LINETO:
            vd__addPoint(ctx, cmd[i + 1], cmd[i + 2], VD_PT_CORNER);
            i += 3;
            break;
        case VD_BEZIERTO: {
            VDpath* path = vd__lastPath(ctx);
            if (path && path->count > 0) {
                VDpoint last = ctx->cache.points.Last();  // a copy: tessellation may move the array
                vd__tesselateBezier(ctx, last.x, last.y, cmd[i + 1], cmd[i + 2], cmd[i + 3], cmd[i + 4],
                                    cmd[i + 5], cmd[i + 6], 0, VD_PT_CORNER);
            }
            i += 7;
            break;
        }
        case VD_CLOSE:
            vd__closePath(ctx);
            i++;
            break;
        default:
            i++;
        }
    }
}

float vd__polyArea(const VDpoint* pts, int npts) {
    float area = 0;
    for (int i = 2; i < npts; i++) {
        const VDpoint &a = pts[0], &b = pts[i - 1], &c = pts[i];
        area += (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    }
    return area * 0.5f;
}

void vd__polyReverse(VDpoint* pts, int npts) {
    for (int i = 0, j = npts - 1; i < j; i++, j--) std::swap(pts[i], pts[j]);
}

// Closes a path whose end meets its start, orients it counter-clockwise and
// gives every point its direction and distance to the next one.
void FinishPath(VDcontext* ctx, VDpath* path) {
    VDpoint* pts = &ctx->cache.points[path->first];
    if (path->count > 0) {
        const VDpoint &first = pts[0], &last = pts[path->count - 1];
        if (vd__ptEquals(last.x, last.y, first.x, first.y, ctx->distTol)) {
            path->count--;
            path->closed = 1;
        }
    }
    if (path->count > 2 && vd__polyArea(pts, path->count) < 0.0f) vd__polyReverse(pts, path->count);
    if (path->count < 2) return;

    int segments = path->closed ? path->count : path->count - 1;
    VDpoint* p0 = path->closed ? &pts[path->count - 1] : &pts[0];
    VDpoint* p1 = path->closed ? &pts[0] : &pts[1];
    for (int i = 0; i < segments; i++) {
        p0->dx = p1->x - p0->x;
        p0->dy = p1->y - p0->y;
        p0->len = vd__normalize(&p0->dx, &p0->dy);
        p0 = p1++;
    }
}

}  // namespace

void vd__flattenPaths(VDcontext* ctx) {
    if (ctx->cache.paths.count > 0) return;
    ReadCommands(ctx);
    for (int j = 0; j < ctx->cache.paths.count; j++) FinishPath(ctx, &ctx->cache.paths[j]);
}
