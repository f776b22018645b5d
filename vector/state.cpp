// The drawing state of the current frame.

#include "vector/context.h"

namespace {

VDpaint SolidPaint(VDcolor color) {
    VDpaint paint{};
    vdTransformIdentity(paint.xform);
    paint.radius = 0.0f;
    paint.feather = 1.0f;
    paint.innerColor = color;
    paint.outerColor = color;
    return paint;
}

// The state's transform := t followed by the state's transform.
void ApplyFirst(VDcontext* ctx, float* t) {
    vdTransformMultiply(t, ctx->state.xform);
    for (int i = 0; i < 6; i++) ctx->state.xform[i] = t[i];
}

}  // namespace

void vdReset(VDcontext* ctx) {
    VDstate& state = ctx->state;
    state.stroke = SolidPaint({0, 0, 0, 1});
    state.strokeWidth = 1.0f;
    state.miterLimit = 10.0f;
    vdTransformIdentity(state.xform);
}

void vdStrokeColor(VDcontext* ctx, VDcolor color) {
    ctx->state.stroke = SolidPaint(color);
}

void vdStrokeWidth(VDcontext* ctx, float width) {
    ctx->state.strokeWidth = width;
}

void vdResetTransform(VDcontext* ctx) {
    vdTransformIdentity(ctx->state.xform);
}

void vdTranslate(VDcontext* ctx, float x, float y) {
    float t[6];
    vdTransformTranslate(t, x, y);
    ApplyFirst(ctx, t);
}

void vdScale(VDcontext* ctx, float x, float y) {
    float t[6];
    vdTransformScale(t, x, y);
    ApplyFirst(ctx, t);
}
