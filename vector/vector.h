#pragma once
// Immediate-mode vector drawing: describe a path, stroke it in a solid colour,
// and the strokes of a frame reach the back end at vdEndFrame.
//
// Coordinates are pixels with y down. A frame is vdBeginFrame, then any number
// of vdBeginPath / path commands / vdStroke, then vdEndFrame (or vdCancelFrame
// to drop what was recorded). vdBeginFrame resets the state: black strokes one
// pixel wide, miter joins, butt caps, identity transform.
//
// Commands are transformed by the transform in force when they are issued.
// A path is flattened once, at its first stroke; stroking it again (in another
// colour or width) reuses the flattened points.

struct VDcontext;
struct VDparams;  // the back-end table, vector/backend.h

struct VDcolor {
    float r, g, b, a;
};

// Creates a context over a back end; null when the back end or an allocation
// fails (what was made is deleted). The params are copied.
VDcontext* vdCreateInternal(const VDparams* params);
// Deletes the context and, through the table, its back end. Null is ignored.
void vdDeleteInternal(VDcontext* ctx);

void vdBeginFrame(VDcontext* ctx, int windowWidth, int windowHeight, float devicePixelRatio);
void vdCancelFrame(VDcontext* ctx);
void vdEndFrame(VDcontext* ctx);

// State of the current frame.
void vdReset(VDcontext* ctx);
void vdStrokeColor(VDcontext* ctx, VDcolor color);
void vdStrokeWidth(VDcontext* ctx, float width);
void vdResetTransform(VDcontext* ctx);
// Both apply before the current transform (in the current local space).
void vdTranslate(VDcontext* ctx, float x, float y);
void vdScale(VDcontext* ctx, float x, float y);

// Paths.
void vdBeginPath(VDcontext* ctx);
void vdMoveTo(VDcontext* ctx, float x, float y);
void vdLineTo(VDcontext* ctx, float x, float y);
void vdRect(VDcontext* ctx, float x, float y, float w, float h);
void vdEllipse(VDcontext* ctx, float cx, float cy, float rx, float ry);
void vdCircle(VDcontext* ctx, float cx, float cy, float r);
void vdStroke(VDcontext* ctx);

// 2-by-3 transforms (a, b, c, d, e, f): (x, y) -> (a x + c y + e, b x + d y + f).
void vdTransformIdentity(float* t);
void vdTransformTranslate(float* t, float tx, float ty);
void vdTransformScale(float* t, float sx, float sy);
// t := t followed by s.
void vdTransformMultiply(float* t, const float* s);
// 1, or 0 with dst the identity when src is (nearly) singular.
int vdTransformInverse(float* dst, const float* src);
