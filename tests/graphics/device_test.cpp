#include <gtest/gtest.h>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <glm/vec2.hpp>

#include "core/diagnostics/console.h"
#include "core/diagnostics/exception.h"
#include "core/events/events.h"
#include "tests/graphics/graphics_fixture.h"
#include "vector/vector.h"

namespace {

std::string WindowTitle(GLFWwindow* window) {
    char* name = nullptr;
    XFetchName(glfwGetX11Display(), glfwGetX11Window(window), &name);
    std::string title = name ? name : "";
    if (name) XFree(name);
    return title;
}

glm::ivec2 WindowPosition() {
    glm::ivec2 position;
    glfwGetWindowPos(Graphics::GetWindow(), &position.x, &position.y);
    return position;
}

glm::ivec2 WindowSize() {
    glm::ivec2 size;
    glfwGetWindowSize(Graphics::GetWindow(), &size.x, &size.y);
    return size;
}

using GraphicsDevice = GraphicsTest;

TEST_F(GraphicsDevice, OpensFullScreenAtTheScreensSizeTitledQuillmere) {
    GLFWwindow* window = Graphics::GetWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(glfwGetWindowMonitor(window), glfwGetPrimaryMonitor());
    EXPECT_TRUE(Graphics::IsFullscreen());
    EXPECT_EQ(WindowSize(), glm::ivec2(1920, 1080));
    EXPECT_EQ(WindowTitle(window), "Quillmere");
    EXPECT_GE(epoxy_gl_version(), 33);
    EXPECT_TRUE(epoxy_is_desktop_gl());
    EXPECT_NE(Graphics::GetQuadVAO(), 0u);
    EXPECT_EQ(Graphics::GetPointLightCount(), 0);
    EXPECT_EQ(Graphics::GetMoonLightCount(), 0);
    EXPECT_EQ(Graphics::GetShadowCasterCount(), 0);
    // Registered with no arguments.
    EXPECT_NO_THROW(events::Connect<>("PostDraw", "probe", [] {}));
}

TEST_F(GraphicsDevice, BeginFrameReadsTheFramebufferAndClearsIt) {
    int width = -1, height = -1;
    Graphics::GetFramebufferSize(width, height);
    EXPECT_EQ(width, 0);  // nothing read before the first frame
    glClearColor(0.5f, 0.5f, 0.5f, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_TRUE(Graphics::BeginFrame());
    Graphics::GetFramebufferSize(width, height);
    EXPECT_EQ(width, 1920);
    EXPECT_EQ(height, 1080);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1920);
    EXPECT_EQ(viewport[3], 1080);
    unsigned char pixel[4] = {9, 9, 9, 9};
    glReadPixels(1000, 500, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0] + pixel[1] + pixel[2] + pixel[3], 0);
    Graphics::EndFrame();
}

TEST_F(GraphicsDevice, LeavingFullScreenCentresA1280By720WindowAndComesBack) {
    Graphics::SetFullscreen(true);  // already full screen: nothing changes
    EXPECT_EQ(glfwGetWindowMonitor(Graphics::GetWindow()), glfwGetPrimaryMonitor());
    EXPECT_EQ(WindowSize(), glm::ivec2(1920, 1080));

    Graphics::SetFullscreen(false);
    glfwPollEvents();
    EXPECT_FALSE(Graphics::IsFullscreen());
    EXPECT_EQ(glfwGetWindowMonitor(Graphics::GetWindow()), nullptr);
    EXPECT_EQ(WindowSize(), glm::ivec2(1280, 720));
    EXPECT_EQ(WindowPosition(), glm::ivec2(320, 180));
    ASSERT_TRUE(Graphics::BeginFrame());
    int width = 0, height = 0;
    Graphics::GetFramebufferSize(width, height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);

    Graphics::SetFullscreen(false);
    EXPECT_EQ(WindowPosition(), glm::ivec2(320, 180));

    Graphics::SetFullscreen(true);
    glfwPollEvents();
    EXPECT_TRUE(Graphics::IsFullscreen());
    EXPECT_EQ(glfwGetWindowMonitor(Graphics::GetWindow()), glfwGetPrimaryMonitor());
    EXPECT_EQ(WindowSize(), glm::ivec2(1920, 1080));
}

TEST_F(GraphicsDevice, TheVectorContextStrokesOntoTheWindow) {
    VDcontext* vector = Graphics::GetVectorContext();
    ASSERT_NE(vector, nullptr);
    ASSERT_TRUE(Graphics::BeginFrame());
    vdBeginFrame(vector, 1920, 1080, 1.0f);
    vdStrokeColor(vector, {1.0f, 1.0f, 1.0f, 1.0f});
    vdStrokeWidth(vector, 4.0f);
    vdBeginPath(vector);
    vdMoveTo(vector, 100.0f, 200.0f);
    vdLineTo(vector, 300.0f, 200.0f);
    vdStroke(vector);
    vdEndFrame(vector);
    unsigned char on[4] = {}, off[4] = {};
    glReadPixels(200, 1080 - 200, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, on);
    glReadPixels(200, 1080 - 220, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, off);
    EXPECT_EQ(on[0], 255);
    EXPECT_EQ(off[0], 0);
}

TEST_F(GraphicsDevice, WindowLibraryErrorsAreLoggedAndTheProgramGoesOn) {
    glfwGetWindowAttrib(Graphics::GetWindow(), 0x7FFF);
    ASSERT_FALSE(Console::GetLines().empty());
    EXPECT_EQ(Console::GetLines().back().rfind("Error 65539: ", 0), 0u) << Console::GetLines().back();
}

TEST(GraphicsStartUp, WindowLibraryFailureEndsTheProcessWithStatusOne) {
    testing_support::ScopedEnv noDisplay("DISPLAY", std::nullopt);
    testing_support::ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
    EXPECT_EXIT(Graphics graphics, ::testing::ExitedWithCode(1), "");
}

TEST(GraphicsStartUp, MissingShaderFileIsFatal) {
    for (const char* event : {"MouseButtonPressed", "KeyPressed", "KeyReleased"}) events::Register<int>(event);
    testing_support::TempDir empty;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(empty.path());
    try {
        Graphics graphics;
        ADD_FAILURE() << "no exception";
    } catch (const debug::exception& error) {
        EXPECT_STREQ(error.what(), "Shader file unable to be loaded.");
    }
    std::filesystem::current_path(previous);
}

TEST(GraphicsStartUp, NoOpenGL33IsFatal) {
    // Mesa then refuses the 3.3 core context the window asks for.
    testing_support::ScopedEnv old("MESA_GL_VERSION_OVERRIDE", "3.0");
    try {
        Graphics graphics;
        ADD_FAILURE() << "no exception";
    } catch (const debug::exception& error) {
        EXPECT_STREQ(error.what(), "Failed to initialize OpenGL. Ensure that OpenGL 3.3 is supported on your computer.");
    }
}

}  // namespace
