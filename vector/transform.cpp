// 2-by-3 affine transforms (a, b, c, d, e, f).

#include "vector/vector.h"

void vdTransformIdentity(float* t) {
    t[0] = 1.0f, t[1] = 0.0f;
    t[2] = 0.0f, t[3] = 1.0f;
    t[4] = 0.0f, t[5] = 0.0f;
}

void vdTransformTranslate(float* t, float tx, float ty) {
    vdTransformIdentity(t);
    t[4] = tx, t[5] = ty;
}

void vdTransformScale(float* t, float sx, float sy) {
    vdTransformIdentity(t);
    t[0] = sx, t[3] = sy;
}

void vdTransformMultiply(float* t, const float* s) {
    float t0 = t[0] * s[0] + t[1] * s[2];
    float t2 = t[2] * s[0] + t[3] * s[2];
    float t4 = t[4] * s[0] + t[5] * s[2] + s[4];
    t[1] = t[0] * s[1] + t[1] * s[3];
    t[3] = t[2] * s[1] + t[3] * s[3];
    t[5] = t[4] * s[1] + t[5] * s[3] + s[5];
    t[0] = t0;
    t[2] = t2;
    t[4] = t4;
}

int vdTransformInverse(float* dst, const float* src) {
    double det = double(src[0]) * src[3] - double(src[2]) * src[1];
    if (det > -1e-6 && det < 1e-6) {
        vdTransformIdentity(dst);
        return 0;
    }
    double invdet = 1.0 / det;
    float inv[6];
    inv[0] = float(src[3] * invdet);
    inv[2] = float(-src[2] * invdet);
    inv[4] = float((double(src[2]) * src[5] - double(src[3]) * src[4]) * invdet);
    inv[1] = float(-src[1] * invdet);
    inv[3] = float(src[0] * invdet);
    inv[5] = float((double(src[1]) * src[4] - double(src[0]) * src[5]) * invdet);
    for (int i = 0; i < 6; i++) dst[i] = inv[i];  // dst may be src
    return 1;
}
