// Path commands. Each is stored as its code followed by its points, already
// transformed by the state's transform, so a later transform change does not
// move what was issued before it.

#include <initializer_list>

#include "vector/context.h"

namespace {

constexpr float kKappa90 = 0.5522847f;  // 4 (sqrt 2 - 1) / 3: a quarter circle as one cubic

void vd__appendCommand(VDcontext* ctx, std::initializer_list<float> command) {
    Growable<float>& commands = ctx->commands;
    int n = int(command.size());
    if (commands.count + n > commands.capacity &&
        !commands.Reallocate(commands.count + n + commands.capacity / 2))
        return;
    float* dst = &commands[commands.count];
    const float* src = command.begin();
    const float* t = ctx->state.xform;
    dst[0] = src[0];
    for (int i = 1; i + 1 < n; i += 2) {
        dst[i] = src[i] * t[0] + src[i + 1] * t[2] + t[4];
        dst[i + 1] = src[i] * t[1] + src[i + 1] * t[3] + t[5];
    }
    commands.count += n;
}

void BezierTo(VDcontext* ctx, float c1x, float c1y, float c2x, float c2y, float x, float y) {
    vd__appendCommand(ctx, {VD_BEZIERTO, c1x, c1y, c2x, c2y, x, y});
}

void ClosePath(VDcontext* ctx) {
    vd__appendCommand(ctx, {VD_CLOSE});
}

}  // namespace

void vdBeginPath(VDcontext* ctx) {
    ctx->commands.count = 0;
    ctx->cache.points.count = 0;
    ctx->cache.paths.count = 0;
}

void vdMoveTo(VDcontext* ctx, float x, float y) {
    vd__appendCommand(ctx, {VD_MOVETO, x, y});
}

void vdLineTo(VDcontext* ctx, float x, float y) {
    vd__appendCommand(ctx, {VD_LINETO, x, y});
}

void vdRect(VDcontext* ctx, float x, float y, float w, float h) {
    vdMoveTo(ctx, x, y);
    vdLineTo(ctx, x, y + h);
    vdLineTo(ctx, x + w, y + h);
    vdLineTo(ctx, x + w, y);
    ClosePath(ctx);
}

void vdEllipse(VDcontext* ctx, float cx, float cy, float rx, float ry) {
    float kx = rx * kKappa90, ky = ry * kKappa90;
    vdMoveTo(ctx, cx - rx, cy);
    BezierTo(ctx, cx - rx, cy + ky, cx - kx, cy + ry, cx, cy + ry);
    BezierTo(ctx, cx + kx, cy + ry, cx + rx, cy + ky, cx + rx, cy);
    BezierTo(ctx, cx + rx, cy - ky, cx + kx, cy - ry, cx, cy - ry);
    BezierTo(ctx, cx - kx, cy - ry, cx - rx, cy - ky, cx - rx, cy);
    ClosePath(ctx);
}

void vdCircle(VDcontext* ctx, float cx, float cy, float r) {
    vdEllipse(ctx, cx, cy, r, r);
}
