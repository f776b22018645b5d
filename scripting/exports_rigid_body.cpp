// A rigid body's velocity from Lua, in world units per second.
#include <cstdint>

#include "physics/rigid_body.h"
#include "scripting/component_access.h"
#include "scripting/export_list.h"

template <>
const char* MissingSuffix<RigidBody>() {
    return " on component with no rigidbody";
}

lb_vec2 lb_rigidbody_get_velocity(uint32_t index, uint32_t id) {
    return OnComponent<RigidBody>(index, id, "access velocity", lb_vec2{0, 0},
                                  [](RigidBody& body) { return ToLua(body.velocity); });
}

void lb_rigidbody_set_velocity(uint32_t index, uint32_t id, float x, float y) {
    OnComponent<RigidBody>(index, id, "set velocity", [&](RigidBody& body) { body.velocity = {x, y}; });
}
