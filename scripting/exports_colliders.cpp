// Box and circle colliders from Lua, through the colliders' own setters, so
// that a box on a ray's entity turns its new size by its angle.
#include <cstdint>

#include <glm/vec2.hpp>

#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "scripting/component_access.h"
#include "scripting/export_list.h"

template <>
const char* MissingSuffix<BoxCollider>() {
    return " on entity with no box collider";
}
template <>
const char* MissingSuffix<CircleCollider>() {
    return " on entity with no circle collider";
}

bool lb_collider_box_get_ghost(uint32_t index, uint32_t id) {
    return OnComponent<BoxCollider>(index, id, "get ghost", false, [](BoxCollider& box) { return box.IsGhost(); });
}

bool lb_collider_box_get_static(uint32_t index, uint32_t id) {
    return OnComponent<BoxCollider>(index, id, "get static", false, [](BoxCollider& box) { return box.IsStatic(); });
}

void lb_collider_box_set_center(uint32_t index, uint32_t id, float x, float y) {
    OnComponent<BoxCollider>(index, id, "set center", [&](BoxCollider& box) { box.SetCenter({x, y}); });
}

void lb_collider_box_set_ghost(uint32_t index, uint32_t id, bool value) {
    OnComponent<BoxCollider>(index, id, "set ghost", [&](BoxCollider& box) { box.SetGhost(value); });
}

void lb_collider_box_set_height(uint32_t index, uint32_t id, float height) {
    OnComponent<BoxCollider>(index, id, "set height", [&](BoxCollider& box) { box.SetHeight(glm::vec2(0, height)); });
}

void lb_collider_box_set_static(uint32_t index, uint32_t id, bool value) {
    OnComponent<BoxCollider>(index, id, "set static", [&](BoxCollider& box) { box.SetStatic(value); });
}

void lb_collider_box_set_width(uint32_t index, uint32_t id, float width) {
    OnComponent<BoxCollider>(index, id, "set width", [&](BoxCollider& box) { box.SetWidth(glm::vec2(width, 0)); });
}

bool lb_collider_circle_get_ghost(uint32_t index, uint32_t id) {
    return OnComponent<CircleCollider>(index, id, "get ghost", false,
                                       [](CircleCollider& circle) { return circle.IsGhost(); });
}

bool lb_collider_circle_get_static(uint32_t index, uint32_t id) {
    return OnComponent<CircleCollider>(index, id, "get static", false,
                                       [](CircleCollider& circle) { return circle.IsStatic(); });
}

void lb_collider_circle_set_center(uint32_t index, uint32_t id, float x, float y) {
    OnComponent<CircleCollider>(index, id, "set center", [&](CircleCollider& circle) { circle.SetCenter({x, y}); });
}

void lb_collider_circle_set_ghost(uint32_t index, uint32_t id, bool value) {
    OnComponent<CircleCollider>(index, id, "set ghost", [&](CircleCollider& circle) { circle.SetGhost(value); });
}

void lb_collider_circle_set_radius(uint32_t index, uint32_t id, float radius) {
    OnComponent<CircleCollider>(index, id, "set radius", [&](CircleCollider& circle) { circle.SetRadius(radius); });
}

void lb_collider_circle_set_static(uint32_t index, uint32_t id, bool value) {
    OnComponent<CircleCollider>(index, id, "set static", [&](CircleCollider& circle) { circle.SetStatic(value); });
}
