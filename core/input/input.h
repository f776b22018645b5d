#pragma once
// Keyboard keys and mouse buttons arrive as the int events "KeyPressed",
// "KeyDown" (the keyboard's auto-repeat), "KeyReleased", "MouseButtonPressed",
// "MouseButtonDown" and "MouseButtonReleased", raised from the window's
// callbacks during the frame's event poll. Game pads and the mouse position
// are polled. Key and button codes are GLFW's; 349..357 are the virtual pad
// buttons of core/input/pad.h.

#include <vector>

#include <glm/vec2.hpp>

struct GLFWwindow;

// The input singleton; its constructor registers the six events.
class Input {
public:
    Input();
};

// Installs the key, mouse-button and joystick callbacks on the game's window
// and reports the joysticks already present. Once, after the window exists.
void InitInput();

void OnKey(GLFWwindow* window, int key, int scancode, int action, int mods);
void OnMouseButton(GLFWwindow* window, int button, int action, int mods);
void OnJoystick(int joystick, int event);

// A keyboard key (answered whether or not the window has focus) or a virtual
// pad button held on any connected pad (only while the window has focus).
bool IsKeyDown(int code);
// The most deflected stick among the connected pads; (0, 0) without focus.
glm::vec2 GetStick(int stick);
// The cursor in window pixels from the window's top-left corner.
glm::vec2 GetMousePosition();
bool AnyControllerConnected();
// The connected joystick numbers in connection order.
const std::vector<int>& GetConnectedJoysticks();
