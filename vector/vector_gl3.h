#pragma once
// The OpenGL 3.3 core back end of the vector renderer. Needs the same GL
// context current for creation, every frame and deletion (vdDeleteInternal).
//
// vdEndFrame draws the frame's strokes over the bound framebuffer with
// premultiplied-alpha blending, and leaves blending on with that function,
// depth and scissor tests off, stencil set to always/keep, and no program,
// vertex array, array buffer or texture bound. A frame without strokes makes
// no GL call at all.

#include "vector/vector.h"

enum VDcreateFlags {
    VD_ANTIALIAS = 1,  // antialiased edges: a one-pixel fringe around every stroke
    VD_DEBUG = 4,      // print pending GL errors (standard output) after each step
};

// Null when the shader program cannot be built (its log goes to standard
// output).
VDcontext* vdCreateGL3(int flags);
