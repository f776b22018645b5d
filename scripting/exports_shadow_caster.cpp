// Shadow casters from Lua: the ellipse's size and where it stands.
#include <cstdint>

#include "graphics/shadow_caster.h"
#include "scripting/component_access.h"
#include "scripting/export_list.h"

template <>
const char* MissingSuffix<ShadowCaster>() {
    return " on component with no shadow caster";
}

lb_vec2 lb_shadow_caster_get_pos(uint32_t index, uint32_t id) {
    return OnComponent<ShadowCaster>(index, id, "get position", lb_vec2{0, 0},
                                     [](ShadowCaster& caster) { return ToLua(caster.GetPosition()); });
}

void lb_shadow_caster_set_height(uint32_t index, uint32_t id, float value) {
    OnComponent<ShadowCaster>(index, id, "set height", [&](ShadowCaster& caster) { caster.height = value; });
}

void lb_shadow_caster_set_offset(uint32_t index, uint32_t id, float x, float y) {
    OnComponent<ShadowCaster>(index, id, "set offset", [&](ShadowCaster& caster) { caster.offset = {x, y}; });
}

void lb_shadow_caster_set_width(uint32_t index, uint32_t id, float value) {
    OnComponent<ShadowCaster>(index, id, "set width", [&](ShadowCaster& caster) { caster.width = value; });
}
