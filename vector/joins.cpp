// Join analysis and bevel joins. Left normals are (dy, -dx): with y down they
// point to the left of the direction of travel.

#include <algorithm>

#include "vector/context.h"

void vd__calculateJoins(VDcontext* ctx, float w, float miterLimit) {
    float iw = w > 0.0f ? 1.0f / w : 0.0f;
    Growable<VDpath>& paths = ctx->cache.paths;
    for (int i = 0; i < paths.count; i++) {
        VDpath& path = paths[i];
        path.nbevel = 0;
        if (path.count == 0) continue;
        VDpoint* pts = &ctx->cache.points[path.first];
        VDpoint* p0 = &pts[path.count - 1];
        VDpoint* p1 = &pts[0];
        for (int j = 0; j < path.count; j++) {
            float dlx0 = p0->dy, dly0 = -p0->dx;
            float dlx1 = p1->dy, dly1 = -p1->dx;
            p1->dmx = (dlx0 + dlx1) * 0.5f;
            p1->dmy = (dly0 + dly1) * 0.5f;
            float dmr2 = p1->dmx * p1->dmx + p1->dmy * p1->dmy;
            if (dmr2 > 1e-6f) {
                // Scaled so that the miter reaches the offset edges; capped for near-reversals.
                float scale = std::min(1.0f / dmr2, 600.0f);
                p1->dmx *= scale;
                p1->dmy *= scale;
            }

            p1->flags = (p1->flags & VD_PT_CORNER) ? VD_PT_CORNER : 0;
            if (p1->dx * p0->dy - p0->dx * p1->dy > 0.0f) p1->flags |= VD_PT_LEFT;

            // The inner corner would reach past a short neighbouring segment.
            float limit = std::max(1.01f, std::min(p0->len, p1->len) * iw);
            if (dmr2 * limit * limit < 1.0f) p1->flags |= VD_PT_INNERBEVEL;
            if ((p1->flags & VD_PT_CORNER) && dmr2 * miterLimit * miterLimit < 1.0f) p1->flags |= VD_PT_BEVEL;

            if (p1->flags & (VD_PT_BEVEL | VD_PT_INNERBEVEL)) path.nbevel++;
            p0 = p1++;
        }
    }
}

// The strip's pairs run left (u 0) to right (u 1). The outer side of the turn
// is bevelled; the inner side meets at the miter point, or bevels as well when
// the segments are too short for it.
VDvertex* vd__bevelJoin(VDvertex* dst, const VDpoint* p0, const VDpoint* p1, float w) {
    struct Point {
        float x, y;
    };
    const bool leftTurn = p1->flags & VD_PT_LEFT;
    const float inward = leftTurn ? w : -w;  // along the left normal, towards the inner side
    const float innerU = leftTurn ? 0.0f : 1.0f, outerU = 1.0f - innerU;
    const Point e0{p0->dy, -p0->dx}, e1{p1->dy, -p1->dx};  // left normals of both segments
    const Point dm{p1->dmx, p1->dmy};

    auto offset = [&](Point n, float by) { return Point{p1->x + n.x * by, p1->y + n.y * by}; };
    // One pair across the strip, left vertex first.
    auto across = [&](Point inner, float iu, Point outer, float ou) {
        if (leftTurn) {
            dst = vd__vset(dst, inner.x, inner.y, iu, 1);
            dst = vd__vset(dst, outer.x, outer.y, ou, 1);
        } else {
            dst = vd__vset(dst, outer.x, outer.y, ou, 1);
            dst = vd__vset(dst, inner.x, inner.y, iu, 1);
        }
    };

    const bool innerBevel = p1->flags & VD_PT_INNERBEVEL;
    const Point inner0 = innerBevel ? offset(e0, inward) : offset(dm, inward);
    const Point inner1 = innerBevel ? offset(e1, inward) : offset(dm, inward);
    const Point outer0 = offset(e0, -inward), outer1 = offset(e1, -inward);

    across(inner0, innerU, outer0, outerU);
    if (p1->flags & VD_PT_BEVEL) {
        across(inner0, innerU, outer0, outerU);
        across(inner1, innerU, outer1, outerU);
    } else {
        // Within the miter limit the outer side keeps its miter point, reached
        // through the join point itself.
        const Point centre{p1->x, p1->y}, miter = offset(dm, -inward);
        across(centre, 0.5f, outer0, outerU);
        across(miter, outerU, miter, outerU);
        across(centre, 0.5f, outer1, outerU);
    }
    across(inner1, innerU, outer1, outerU);
    return dst;
}
