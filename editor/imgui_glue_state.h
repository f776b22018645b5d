#pragma once
// The binding's module state, shared by its input and render halves.
#include <cstdint>

#include <epoxy/gl.h>

struct GLFWwindow;

namespace ImGuiGlue {

// The library's key table: GLFW key codes 0 to 511.
constexpr int kKeyCount = 512;

struct glue_state {
    GLFWwindow* window = nullptr;
    double time = 0.0;
    bool mousePressed[3] = {false, false, false};
    float scroll = 0.0f;
    GLuint fontTexture = 0;
    GLuint program = 0, vertexShader = 0, fragmentShader = 0;
    GLint textureLocation = -1, projectionLocation = -1;
    GLint positionLocation = -1, uvLocation = -1, colorLocation = -1;
    GLuint vertexBuffer = 0, indexBuffer = 0, vertexArray = 0;
    bool keysShown[kKeyCount] = {};            // what the library saw at its last frame
    uint8_t keyChangesQueued[kKeyCount] = {};  // changes waiting, each one flipping the key
};

glue_state& State();

// Before each library frame: shows the key changes that waited for it.
void ShowNextKeyChanges();

}  // namespace ImGuiGlue
