#include "tests/support/gl_context.h"

#include <stdexcept>
#include <string>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

namespace testing_support {

namespace {

// The window library's own reason for its last failure.
std::string GlfwReason() {
    const char* reason = nullptr;
    glfwGetError(&reason);
    return reason ? reason : "no reason given";
}

}  // namespace

GlContext::GlContext(int width, int height) {
    if (!glfwInit()) throw std::runtime_error("glfwInit failed: " + GlfwReason());
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    handle = glfwCreateWindow(width, height, "test", nullptr, nullptr);
    if (!handle) {
        const std::string reason = GlfwReason();
        glfwTerminate();
        throw std::runtime_error("no OpenGL 3.3 core context: " + reason);
    }
    glfwMakeContextCurrent(handle);
}

GlContext::~GlContext() {
    glfwDestroyWindow(handle);
    glfwTerminate();
}

}  // namespace testing_support
