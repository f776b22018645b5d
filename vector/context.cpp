// Creation, deletion and the frame bracket of the path renderer.

#include <cmath>
#include <new>

#include "vector/atlas/glyph_atlas.h"
#include "vector/context.h"

namespace {

constexpr int kInitCommands = 256;
constexpr int kInitPoints = 128;
constexpr int kInitPaths = 16;
constexpr int kInitVerts = 256;
constexpr int kAtlasSize = 512;

void vd__setDevicePixelRatio(VDcontext* ctx, float ratio) {
    ctx->tessTol = 0.25f / ratio;
    ctx->distTol = 0.01f / ratio;
    ctx->fringeWidth = 1.0f / ratio;
    ctx->devicePxRatio = ratio;
}

bool AllocateBuffers(VDcontext* ctx) {
    return ctx->commands.Reallocate(kInitCommands) && ctx->cache.points.Reallocate(kInitPoints) &&
           ctx->cache.paths.Reallocate(kInitPaths) && ctx->cache.verts.Reallocate(kInitVerts);
}

bool CreateAtlas(VDcontext* ctx) {
    GAparams atlasParams{kAtlasSize, kAtlasSize, GA_ZERO_TOPLEFT};
    ctx->atlas = gaCreateInternal(&atlasParams);
    if (!ctx->atlas) return false;
    ctx->fontImage = ctx->params.renderCreateTexture(ctx->params.userPtr, VD_TEXTURE_ALPHA, kAtlasSize,
                                                     kAtlasSize, 0, nullptr);
    return ctx->fontImage != 0;
}

}  // namespace

VDcontext* vdCreateInternal(const VDparams* params) {
    VDcontext* ctx = new (std::nothrow) VDcontext{};
    if (!ctx) {
        // The back end is ours from the start: it goes with the failure.
        params->renderDelete(params->userPtr);
        return nullptr;
    }
    ctx->params = *params;
    if (!AllocateBuffers(ctx)) {
        vdDeleteInternal(ctx);
        return nullptr;
    }
    vdReset(ctx);
    vd__setDevicePixelRatio(ctx, 1.0f);
    if (!ctx->params.renderCreate(ctx->params.userPtr) || !CreateAtlas(ctx)) {
        vdDeleteInternal(ctx);
        return nullptr;
    }
    return ctx;
}

void vdDeleteInternal(VDcontext* ctx) {
    if (!ctx) return;
    gaDeleteInternal(ctx->atlas);
    if (ctx->fontImage != 0) ctx->params.renderDeleteTexture(ctx->params.userPtr, ctx->fontImage);
    ctx->params.renderDelete(ctx->params.userPtr);
    delete ctx;
}

void vdBeginFrame(VDcontext* ctx, int windowWidth, int windowHeight, float devicePixelRatio) {
    // A ratio of zero or less would make every tolerance infinite.
    if (!(devicePixelRatio > 0.0f) || !std::isfinite(devicePixelRatio)) devicePixelRatio = 1.0f;
    vdReset(ctx);
    vd__setDevicePixelRatio(ctx, devicePixelRatio);
    ctx->params.renderViewport(ctx->params.userPtr, float(windowWidth), float(windowHeight));
    ctx->drawCallCount = 0;
    ctx->strokeTriCount = 0;
}

void vdCancelFrame(VDcontext* ctx) {
    ctx->params.renderCancel(ctx->params.userPtr);
}

void vdEndFrame(VDcontext* ctx) {
    ctx->params.renderFlush(ctx->params.userPtr);
}
