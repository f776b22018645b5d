#include <vector>

#include <GLFW/glfw3.h>

#include "graphics/device_state.h"
#include "graphics/graphics.h"
#include "graphics/monitor_choice.h"

namespace {

// Null when the window library sees no monitor at all.
GLFWmonitor* MonitorOfWindow(glm::ivec2& origin) {
    GLFWmonitor* primary = glfwGetPrimaryMonitor();
    if (!primary) return nullptr;
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    std::vector<glm::ivec2> origins(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) glfwGetMonitorPos(monitors[i], &origins[i].x, &origins[i].y);

    glm::ivec2 primaryOrigin(0);
    glfwGetMonitorPos(primary, &primaryOrigin.x, &primaryOrigin.y);
    glm::ivec2 windowPosition(0);
    glfwGetWindowPos(graphics_state::window, &windowPosition.x, &windowPosition.y);

    const MonitorChoice choice = ChooseMonitor(windowPosition, origins, primaryOrigin);
    origin = choice.origin;
    return choice.index < 0 ? primary : monitors[choice.index];
}

}  // namespace

void Graphics::SetFullscreen(bool on) {
    if (on == graphics_state::fullscreen) return;
    glm::ivec2 origin;
    GLFWmonitor* monitor = MonitorOfWindow(origin);
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode) return;  // nowhere to go; the error callback has logged why
    if (on) {
        glfwSetWindowMonitor(graphics_state::window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    } else {
        glfwSetWindowMonitor(graphics_state::window, nullptr, origin.x + mode->width / 2 - 640,
                             origin.y + mode->height / 2 - 360, 1280, 720, 0);
    }
    graphics_state::fullscreen = on;
}

bool Graphics::IsFullscreen() { return graphics_state::fullscreen; }
