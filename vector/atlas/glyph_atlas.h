#pragma once
// The glyph atlas: an 8-bit coverage image in which rectangles are packed
// bottom-left with a skyline allocator, and a stack of text states. No glyphs
// are rasterised: the vector renderer creates one atlas, whose only content is
// the 2-by-2 white rectangle placed at creation.

#include "vector/growable.h"

enum GAflags {
    GA_ZERO_TOPLEFT = 1,  // image origin at the top left
};

enum GAerrorCode {
    GA_STATES_OVERFLOW = 3,
};

constexpr int GA_MAX_STATES = 20;

struct GAparams {
    int width, height;  // 1 to 32767 pixels
    unsigned char flags;
};

// A horizontal segment of the skyline at height y.
struct GAatlasNode {
    short x, y, width;
};

struct GAatlas {
    int width, height;
    Growable<GAatlasNode> nodes;
};

struct GAstate {
    int font;
    int align;
    float size;
    unsigned int color;
    float blur;
    float spacing;
};

struct GAcontext {
    GAparams params;
    Growable<unsigned char> texData;  // width * height coverage bytes, row by row
    int dirtyRect[4];                 // min x, min y, max x, max y; empty when min > max
    GAatlas atlas;
    GAstate states[GA_MAX_STATES];
    int nstates;
    void (*handleError)(void* uptr, int error);
    void* errorUptr;
};

// Null when the size is out of range or memory is short.
GAcontext* gaCreateInternal(const GAparams* params);
void gaDeleteInternal(GAcontext* ctx);  // null is ignored
void gaSetErrorCallback(GAcontext* ctx, void (*callback)(void* uptr, int error), void* uptr);

// Copies the top state onto a new top; a full stack reports GA_STATES_OVERFLOW
// and stays as it is.
void gaPushState(GAcontext* ctx);
void gaClearState(GAcontext* ctx);

// Places a w-by-h rectangle where its top edge ends lowest (the narrower
// resting node on a tie). 1 with its position, or 0 with nothing changed.
int ga__atlasAddRect(GAatlas* atlas, int w, int h, int* rx, int* ry);
