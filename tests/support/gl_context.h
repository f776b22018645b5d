#pragma once
// A hidden window with an OpenGL 3.3 core context, current on this thread,
// for tests that draw and read pixels back. Needs a display (Xvfb in CI).

struct GLFWwindow;

namespace testing_support {

class GlContext {
public:
    GlContext(int width = 256, int height = 256);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    GLFWwindow* window() const { return handle; }

private:
    GLFWwindow* handle = nullptr;
};

}  // namespace testing_support
