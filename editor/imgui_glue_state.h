#pragma once
// The binding's module state, shared by its input and render halves.
#include <cstdint>
#include <deque>

#include <epoxy/gl.h>

struct GLFWwindow;

namespace ImGuiGlue {

// The library's key table: GLFW key codes 0 to 511.
constexpr int kKeyCount = 512;

// A key going down or up, a typed character or a mouse button press, in the
// order the window reported them.
struct input_event {
    enum kind_ : uint8_t { kKey, kCharacter, kMouseButton } kind;
    unsigned int code;  // key code, code point or button
    bool down;          // keys only
};

// What the library's coming frame has been handed since its last one.
struct frame_input {
    bool keyChanged[kKeyCount] = {};
    bool editPressed = false;  // a press of a key that edits text or steers a field
    bool typed = false;        // a character
    bool clicked[3] = {false, false, false};
};

struct glue_state {
    GLFWwindow* window = nullptr;
    double time = 0.0;
    float scroll = 0.0f;
    GLuint fontTexture = 0;
    GLuint program = 0, vertexShader = 0, fragmentShader = 0;
    GLint textureLocation = -1, projectionLocation = -1;
    GLint positionLocation = -1, uvLocation = -1, colorLocation = -1;
    GLuint vertexBuffer = 0, indexBuffer = 0, vertexArray = 0;
    std::deque<input_event> waiting;  // what the coming frame cannot take yet, oldest first
    frame_input coming;
    bool keysTyped[kKeyCount] = {};  // each key as the last event left it, waiting or not
};

glue_state& State();

// Before the library's frame: hands over what waited for it.
void HandOverWaitingInput();
// After the library's frame has read its input: the next frame starts empty.
void StartNextFrameInput();
// Whether a press of that button still waits for a later frame.
bool PressWaiting(int button);

}  // namespace ImGuiGlue
