// Sprites from Lua: the flags, the tint, the animation's timing and frame
// layout, and the picture by name.
#include <cstdint>
#include <string>

#include "graphics/sprite.h"
#include "scripting/component_access.h"
#include "scripting/export_list.h"

template <>
const char* MissingSuffix<Sprite>() {
    return " on component with no sprite";
}

namespace {

// Rows and columns divide the sheet: below 1 they are taken as 1, as a level
// file's 0 is. The frame count is kept as given (-1 is the largest count).
uint32_t SheetCount(int value) { return value < 1 ? 1u : static_cast<uint32_t>(value); }

void SetCount(uint32_t index, uint32_t id, const char* verb, uint32_t value, uint32_t Sprite::*count) {
    OnComponent<Sprite>(index, id, verb, [&](Sprite& sprite) {
        if (sprite.*count == value) return;
        sprite.*count = value;
        sprite.RebuildQuad();
    });
}

}  // namespace

bool lb_sprite_get_clamped(uint32_t index, uint32_t id) {
    return OnComponent<Sprite>(index, id, "get clamping", false, [](Sprite& sprite) { return sprite.clamped; });
}

int lb_sprite_get_current_frame(uint32_t index, uint32_t id) {
    return OnComponent<Sprite>(index, id, "get frame", -1,
                               [](Sprite& sprite) { return static_cast<int>(sprite.frame); });
}

float lb_sprite_get_elapsed_time(uint32_t index, uint32_t id) {
    return OnComponent<Sprite>(index, id, "get elapsed time", -1.0f, [](Sprite& sprite) { return sprite.elapsed; });
}

bool lb_sprite_get_environmental(uint32_t index, uint32_t id) {
    return OnComponent<Sprite>(index, id, "get environmental", false,
                               [](Sprite& sprite) { return sprite.environmental; });
}

float lb_sprite_get_frame_time(uint32_t index, uint32_t id) {
    return OnComponent<Sprite>(index, id, "get frame time", -1.0f, [](Sprite& sprite) { return sprite.frame_time; });
}

bool lb_sprite_get_looping(uint32_t index, uint32_t id) {
    return OnComponent<Sprite>(index, id, "get looping", false, [](Sprite& sprite) { return sprite.looping; });
}

void lb_sprite_set_clamped(uint32_t index, uint32_t id, bool value) {
    OnComponent<Sprite>(index, id, "set clamping", [&](Sprite& sprite) { sprite.clamped = value; });
}

void lb_sprite_set_current_frame(uint32_t index, uint32_t id, int value) {
    OnComponent<Sprite>(index, id, "set frame", [&](Sprite& sprite) {
        // With the largest frame count, frames + 1 wraps to 0: every frame
        // number is then below the modulus and stays as it is.
        const uint32_t modulus = sprite.frames + 1;
        const uint32_t frame = modulus == 0 ? static_cast<uint32_t>(value) : static_cast<uint32_t>(value) % modulus;
        if (frame == sprite.frame) return;
        sprite.frame = frame;
        sprite.RebuildQuad();
    });
}

void lb_sprite_set_elapsed_time(uint32_t index, uint32_t id, float value) {
    OnComponent<Sprite>(index, id, "set elapsed time", [&](Sprite& sprite) {
        sprite.elapsed = value;
        sprite.RebuildQuad();
    });
}

void lb_sprite_set_environmental(uint32_t index, uint32_t id, bool value) {
    OnComponent<Sprite>(index, id, "set environmental", [&](Sprite& sprite) { sprite.environmental = value; });
}

void lb_sprite_set_frame_time(uint32_t index, uint32_t id, float value) {
    OnComponent<Sprite>(index, id, "set frame time", [&](Sprite& sprite) { sprite.frame_time = value; });
}

void lb_sprite_set_looping(uint32_t index, uint32_t id, bool value) {
    OnComponent<Sprite>(index, id, "set looping", [&](Sprite& sprite) { sprite.looping = value; });
}

void lb_sprite_set_num_columns(uint32_t index, uint32_t id, int value) {
    SetCount(index, id, "set num columns", SheetCount(value), &Sprite::columns);
}

void lb_sprite_set_num_frames(uint32_t index, uint32_t id, int value) {
    SetCount(index, id, "set num frames", static_cast<uint32_t>(value), &Sprite::frames);
}

void lb_sprite_set_num_rows(uint32_t index, uint32_t id, int value) {
    SetCount(index, id, "set num rows", SheetCount(value), &Sprite::rows);
}

void lb_sprite_set_texture(uint32_t index, uint32_t id, const char* name) {
    OnComponent<Sprite>(index, id, "set texture", [&](Sprite& sprite) { sprite.SetTexture(Text(name)); });
}

void lb_sprite_set_tint(uint32_t index, uint32_t id, float r, float g, float b, float a) {
    OnComponent<Sprite>(index, id, "set tint", [&](Sprite& sprite) { sprite.tint = {r, g, b, a}; });
}

void lb_sprite_set_y_offset(uint32_t index, uint32_t id, float value) {
    OnComponent<Sprite>(index, id, "set y offset", [&](Sprite& sprite) { sprite.y_offset = value; });
}
