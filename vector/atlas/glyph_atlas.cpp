#include "vector/atlas/glyph_atlas.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr int kInitialNodes = 256;
constexpr int kMaxSide = 32767;  // node coordinates are 16-bit

bool ga__addWhiteRect(GAcontext* ctx, int w, int h) {
    int gx, gy;
    if (!ga__atlasAddRect(&ctx->atlas, w, h, &gx, &gy)) return false;
    for (int y = 0; y < h; y++)
        std::memset(&ctx->texData[gx + (gy + y) * ctx->params.width], 0xff, w);
    ctx->dirtyRect[0] = std::min(ctx->dirtyRect[0], gx);
    ctx->dirtyRect[1] = std::min(ctx->dirtyRect[1], gy);
    ctx->dirtyRect[2] = std::max(ctx->dirtyRect[2], gx + w);
    ctx->dirtyRect[3] = std::max(ctx->dirtyRect[3], gy + h);
    return true;
}

}  // namespace

GAcontext* gaCreateInternal(const GAparams* params) {
    if (params->width < 1 || params->width > kMaxSide || params->height < 1 || params->height > kMaxSide)
        return nullptr;
    GAcontext* ctx = new (std::nothrow) GAcontext{};
    if (!ctx) return nullptr;
    ctx->params = *params;

    GAatlas& atlas = ctx->atlas;
    atlas.width = params->width;
    atlas.height = params->height;
    int pixels = params->width * params->height;
    if (!atlas.nodes.Reallocate(kInitialNodes) || !ctx->texData.Reallocate(pixels)) {
        gaDeleteInternal(ctx);
        return nullptr;
    }
    atlas.nodes[0] = {0, 0, short(params->width)};
    atlas.nodes.count = 1;
    std::memset(ctx->texData.items, 0, std::size_t(pixels));
    ctx->texData.count = pixels;

    ctx->dirtyRect[0] = params->width;
    ctx->dirtyRect[1] = params->height;
    ctx->dirtyRect[2] = 0;
    ctx->dirtyRect[3] = 0;
    if (!ga__addWhiteRect(ctx, 2, 2)) {
        gaDeleteInternal(ctx);
        return nullptr;
    }

    gaPushState(ctx);
    gaClearState(ctx);
    return ctx;
}

void gaDeleteInternal(GAcontext* ctx) {
    delete ctx;
}

void gaSetErrorCallback(GAcontext* ctx, void (*callback)(void* uptr, int error), void* uptr) {
    ctx->handleError = callback;
    ctx->errorUptr = uptr;
}

void gaPushState(GAcontext* ctx) {
    if (ctx->nstates >= GA_MAX_STATES) {
        if (ctx->handleError) ctx->handleError(ctx->errorUptr, GA_STATES_OVERFLOW);
        return;
    }
    if (ctx->nstates > 0) ctx->states[ctx->nstates] = ctx->states[ctx->nstates - 1];
    ctx->nstates++;
}

void gaClearState(GAcontext* ctx) {
    ctx->states[ctx->nstates - 1] = {
        .font = 0,
        .align = 65,  // left, baseline
        .size = 12.0f,
        .color = 0xffffffff,
        .blur = 0,
        .spacing = 0,
    };
}
