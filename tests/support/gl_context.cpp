#include "tests/support/gl_context.h"

#include <stdexcept>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

namespace testing_support {

GlContext::GlContext(int width, int height) {
    if (!glfwInit()) throw std::runtime_error("glfwInit failed (is there a display?)");
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    handle = glfwCreateWindow(width, height, "test", nullptr, nullptr);
    if (!handle) {
        glfwTerminate();
        throw std::runtime_error("no OpenGL 3.3 core context");
    }
    glfwMakeContextCurrent(handle);
}

GlContext::~GlContext() {
    glfwDestroyWindow(handle);
    glfwTerminate();
}

}  // namespace testing_support
