#include "core/input/input.h"

#include <array>

#include <GLFW/glfw3.h>

#include "core/engine/engine.h"
#include "core/events/events.h"
#include "core/input/pad.h"
#include "graphics/graphics.h"

namespace {

std::vector<int> connectedJoysticks;
std::array<int, GLFW_JOYSTICK_LAST + 1> joystickLayouts{};

void Raise(const char* pressed, const char* down, const char* released, int code, int action) {
    if (action == GLFW_PRESS)
        events::Call<int>(pressed, code);
    else if (action == GLFW_REPEAT)
        events::Call<int>(down, code);
    else if (action == GLFW_RELEASE)
        events::Call<int>(released, code);
}

}  // namespace

Input::Input() {
    events::Register<int>("MouseButtonPressed");
    events::Register<int>("MouseButtonDown");
    events::Register<int>("MouseButtonReleased");
    events::Register<int>("KeyPressed");
    events::Register<int>("KeyDown");
    events::Register<int>("KeyReleased");
}

void InitInput() {
    GLFWwindow* window = Graphics::GetWindow();
    glfwSetMouseButtonCallback(window, OnMouseButton);
    glfwSetKeyCallback(window, OnKey);
    glfwSetJoystickCallback(OnJoystick);
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick)
        if (glfwJoystickPresent(joystick)) OnJoystick(joystick, GLFW_CONNECTED);
}

void OnKey(GLFWwindow*, int key, int, int action, int) {
    Raise("KeyPressed", "KeyDown", "KeyReleased", key, action);
}

void OnMouseButton(GLFWwindow*, int button, int action, int) {
    Raise("MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased", button, action);
}

void OnJoystick(int joystick, int event) {
    std::erase(connectedJoysticks, joystick);
    if (event != GLFW_CONNECTED || joystick < 0 || joystick > GLFW_JOYSTICK_LAST) return;
    connectedJoysticks.push_back(joystick);
    int buttonCount = 0;
    glfwGetJoystickButtons(joystick, &buttonCount);
    joystickLayouts[joystick] = pad::LayoutFor(buttonCount, glfwGetJoystickName(joystick));
}

bool IsKeyDown(int code) {
    if (code <= GLFW_KEY_LAST) return glfwGetKey(Graphics::GetWindow(), code) == GLFW_PRESS;
    return pad::AnyButtonDown(code, Engine::HasFocus(), connectedJoysticks, [](int joystick) {
        pad::Buttons buttons;
        buttons.states = glfwGetJoystickButtons(joystick, &buttons.count);
        buttons.layout = joystickLayouts[joystick];
        return buttons;
    });
}

glm::vec2 GetStick(int stick) {
    if (!Engine::HasFocus()) return {0.0f, 0.0f};
    pad::StickChoice choice;
    const size_t padCount = connectedJoysticks.size();
    for (size_t i = 0; i < connectedJoysticks.size(); ++i) {
        const int joystick = connectedJoysticks[i];
        int count = 0;
        const float* axes = glfwGetJoystickAxes(joystick, &count);
        if (connectedJoysticks.size() != padCount) break;
        if (axes) choice.Offer(pad::Stick(stick, joystickLayouts[joystick], axes, count));
    }
    return choice.Result();
}

glm::vec2 GetMousePosition() {
    double x = 0.0, y = 0.0;
    glfwGetCursorPos(Graphics::GetWindow(), &x, &y);
    return {static_cast<float>(x), static_cast<float>(y)};
}

bool AnyControllerConnected() { return !connectedJoysticks.empty(); }

const std::vector<int>& GetConnectedJoysticks() { return connectedJoysticks; }
