// A debug-drawing frame of 1,000 circles and 1,000 line segments. On the CPU
// it is measured beside writing the same vertices straight from sin and cos
// (the least any stroker must do); through OpenGL beside replaying the frame
// already recorded (the GL work alone).

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <cmath>
#include <vector>

#include "tests/support/gl_context.h"
#include "vector/backend.h"
#include "vector/context.h"
#include "vector/gl3/gl3_context.h"
#include "vector/vector_gl3.h"

namespace {

constexpr int kShapes = 1000;
constexpr int kSize = 512;

struct Shape {
    float x, y, r;    // circle
    float x2, y2;     // the line runs from (x, y) to here
};

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = [] {
        std::vector<Shape> made;
        for (int i = 0; i < kShapes; i++) {
            float x = float((i * 37) % kSize), y = float((i * 91) % kSize);
            made.push_back({x, y, 3.0f + float(i % 18), x + float((i * 13) % 60) - 30, y + float((i * 7) % 40) - 20});
        }
        return made;
    }();
    return shapes;
}

// Everything of a frame but its end.
void RecordFrame(VDcontext* ctx) {
    vdBeginFrame(ctx, kSize, kSize, 1.0f);
    vdStrokeColor(ctx, {0.2f, 0.9f, 0.3f, 1.0f});
    for (const Shape& s : Shapes()) {
        vdBeginPath(ctx);
        vdCircle(ctx, s.x, s.y, s.r);
        vdStroke(ctx);
    }
    for (const Shape& s : Shapes()) {
        vdBeginPath(ctx);
        vdMoveTo(ctx, s.x, s.y);
        vdLineTo(ctx, s.x2, s.y2);
        vdStroke(ctx);
    }
}

void DrawFrame(VDcontext* ctx) {
    RecordFrame(ctx);
    vdEndFrame(ctx);
}

// Keeps only the number of vertices of each stroke.
struct CountingBackend {
    std::vector<int> counts;

    VDparams Params() {
        VDparams params{};
        params.userPtr = this;
        params.edgeAntiAlias = 1;
        params.renderCreate = [](void*) { return 1; };
        params.renderCreateTexture = [](void*, int, int, int, int, const unsigned char*) { return 1; };
        params.renderDeleteTexture = [](void*, int) { return 1; };
        params.renderViewport = [](void*, float, float) {};
        params.renderCancel = [](void*) {};
        params.renderFlush = [](void*) {};
        params.renderStroke = [](void* uptr, const VDpaint*, float, float, const VDpath* paths, int npaths) {
            int n = 0;
            for (int i = 0; i < npaths; i++) n += paths[i].nstroke;
            static_cast<CountingBackend*>(uptr)->counts.push_back(n);
        };
        params.renderDelete = [](void*) {};
        return params;
    }
};

void BM_StrokeFrame(benchmark::State& state) {
    CountingBackend backend;
    VDparams params = backend.Params();
    VDcontext* ctx = vdCreateInternal(&params);
    for (auto _ : state) {
        backend.counts.clear();
        DrawFrame(ctx);
        benchmark::DoNotOptimize(backend.counts.data());
    }
    vdDeleteInternal(ctx);
}
BENCHMARK(BM_StrokeFrame)->Unit(benchmark::kMicrosecond);

void BM_StrokeFrame_Reference(benchmark::State& state) {
    CountingBackend backend;
    VDparams params = backend.Params();
    VDcontext* ctx = vdCreateInternal(&params);
    DrawFrame(ctx);
    vdDeleteInternal(ctx);
    const std::vector<int> counts = backend.counts;  // circles first, then lines

    std::vector<VDvertex> out(4096);
    for (auto _ : state) {
        for (int i = 0; i < kShapes; i++) {
            const Shape& s = Shapes()[i];
            int pairs = counts[i] / 2;
            for (int k = 0; k < pairs; k++) {
                float a = 6.2831853f * float(k) / float(pairs), c = std::cos(a), sn = std::sin(a);
                out[2 * k] = {s.x + c * (s.r + 1), s.y + sn * (s.r + 1), 0, 1};
                out[2 * k + 1] = {s.x + c * (s.r - 1), s.y + sn * (s.r - 1), 1, 1};
            }
            benchmark::DoNotOptimize(out.data());
        }
        for (int i = 0; i < kShapes; i++) {
            const Shape& s = Shapes()[i];
            float dx = s.x2 - s.x, dy = s.y2 - s.y, len = std::sqrt(dx * dx + dy * dy);
            dx /= len, dy /= len;
            for (int k = 0; k < 8; k++) {
                float along = k < 4 ? -0.5f + float(k / 2) : len - 0.5f + float((k - 4) / 2);
                float side = k % 2 ? -1.0f : 1.0f;
                out[k] = {s.x + dx * along + dy * side, s.y + dy * along - dx * side, float(k % 2), 1};
            }
            benchmark::DoNotOptimize(out.data());
        }
    }
}
BENCHMARK(BM_StrokeFrame_Reference)->Unit(benchmark::kMicrosecond);

// One window for the whole run.
VDcontext* GlVectorContext() {
    static testing_support::GlContext window(kSize, kSize);
    static VDcontext* ctx = vdCreateGL3(VD_ANTIALIAS);
    return ctx;
}

void BM_StrokeFrameGL3(benchmark::State& state) {
    VDcontext* ctx = GlVectorContext();
    for (auto _ : state) {
        DrawFrame(ctx);
        glFinish();
    }
}
BENCHMARK(BM_StrokeFrameGL3)->Unit(benchmark::kMicrosecond);

void BM_StrokeFrameGL3_Reference(benchmark::State& state) {
    VDcontext* ctx = GlVectorContext();
    GLVDcontext* gl = static_cast<GLVDcontext*>(ctx->params.userPtr);
    RecordFrame(ctx);
    const int calls = gl->calls.count, paths = gl->paths.count, verts = gl->verts.count,
              uniforms = gl->uniforms.count;
    vdCancelFrame(ctx);  // resets the counts; the recorded data stays in place
    for (auto _ : state) {
        gl->calls.count = calls;
        gl->paths.count = paths;
        gl->verts.count = verts;
        gl->uniforms.count = uniforms;
        vdEndFrame(ctx);
        glFinish();
    }
}
BENCHMARK(BM_StrokeFrameGL3_Reference)->Unit(benchmark::kMicrosecond);

}  // namespace
