// The camera: its position and zoom.
#include "graphics/camera.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"

lb_vec2 lb_camera_get_pos() {
    return AtEdge(lb_vec2{0.0f, 0.0f}, [] {
        const glm::vec3 position = Camera::GetPosition();
        return lb_vec2{position.x, position.y};
    });
}

void lb_camera_set_pos(float x, float y) {
    AtEdge([&] { Camera::SetPosition(glm::vec3(x, y, Camera::GetPosition().z)); });
}

void lb_camera_set_scale(float scale) {
    AtEdge([&] { Camera::SetScale(scale); });
}
