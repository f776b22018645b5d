#pragma once
// The values that cross between Lua and the exports by value. Their layout
// is fixed: the Lua declarations in "lua/engine/init.lua" repeat it.

#include <cstdint>

extern "C" {

struct lb_vec2 {
    float x;
    float y;
};

struct lb_entity {
    uint32_t index;
    uint32_t id;
};

struct lb_texture {
    uint32_t id;
    int32_t width;
    int32_t height;
};

}
