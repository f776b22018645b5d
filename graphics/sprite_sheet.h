#pragma once
// The arithmetic of sprite sheets as plain functions: which part of the sheet
// a frame shows, how the animation advances and where the quad stands.
//
// Frames count from 1, row by row from the sheet's top row. Rows and columns
// below 1 count as 1 and frame 0 as frame 1 wherever they are used, since
// scripts and the editor can set any value.

#include <cstdint>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "graphics/quads.h"

namespace sprite_sheet {

struct FrameArea {
    float u0, u1;          // left and right
    float vTop, vBottom;  // texture rows count upwards from the sheet's bottom
};

// A sheet of width by height pixels cut into rows by columns frames of whole
// pixels (the remainder is dropped).
FrameArea AreaOfFrame(uint32_t frame, uint32_t rows, uint32_t columns, uint32_t width, uint32_t height);

// The sprite's quad: standing on its origin, one unit wide and high, showing
// the area.
QuadVertices QuadOfArea(const FrameArea& area);

struct Animation {
    bool looping;
    float frame_time;  // seconds per frame; at or below 0.0001 it never advances
    uint32_t frames;
};

// Adds dt to elapsed and takes as many frames as whole frame times fit,
// wrapping past the last frame; a sprite that is not looping stays once it
// rests on its last frame, and one of a single frame never moves (elapsed
// untouched in both cases). True when it stepped (the quad is then stale).
// Any elapsed time returns at once; one that is not finite starts again at 0.
bool Advance(const Animation& animation, uint32_t& frame, float& elapsed, float dt);

struct Placement {
    glm::vec3 position;  // the owner's exact position
    glm::vec3 snapped;   // the owner's position on whole units (z as is)
    bool clamped;
    uint32_t width, height;  // the whole sheet, pixels
    uint32_t rows, columns;
    float y_offset;
    float cameraY;
};

// Scales the unit quad to one frame's pixels and places it: a clamped sprite
// on whole units (half a unit to the right for odd widths, so its texels stay
// whole pixels), with a depth from z first (larger z nearer) and then the
// on-screen y (lower is nearer).
glm::mat4 ModelMatrix(const Placement& placement);

}  // namespace sprite_sheet
