// Keys, pads and the mouse. Key codes are the window library's; 349 to 357
// are the virtual pad buttons.
#include "core/input/input.h"
#include "graphics/camera.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"

bool lb_input_controller_preset() {
    return AtEdge(false, [] { return AnyControllerConnected(); });
}

bool lb_intput_get_key(int key) {
    return AtEdge(false, [&] { return IsKeyDown(key); });
}

// In world units, so it follows the camera.
lb_vec2 lb_intput_get_mouse_pos() {
    return AtEdge(lb_vec2{0.0f, 0.0f}, [] {
        const glm::vec2 mouse = GetMousePosition();
        const glm::vec3 world = Camera::ScreenToWorld(mouse.x, mouse.y, 0.0f);
        return lb_vec2{world.x, world.y};
    });
}

lb_vec2 lb_intput_get_stick(int stick) {
    return AtEdge(lb_vec2{0.0f, 0.0f}, [&] {
        const glm::vec2 deflection = GetStick(stick);
        return lb_vec2{deflection.x, deflection.y};
    });
}
