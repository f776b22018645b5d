#include <cstdio>
#include <cstdlib>
#include <string>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <imgui.h>

#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/events/events.h"
#include "editor/imgui_glue.h"
#include "graphics/device_state.h"
#include "graphics/graphics.h"
#include "vector/vector_gl3.h"

namespace graphics_state {

GLFWwindow* window = nullptr;
int framebufferWidth = 0, framebufferHeight = 0;
VDcontext* vectorContext = nullptr;
Quad spriteQuad;
Quad centredQuad;
std::unique_ptr<Shader> forwardShader;
std::unique_ptr<Shader> forwardDepthShader;
std::unique_ptr<LightRenderer> lightRenderer;
int pointLightCount = 0, moonLightCount = 0, shadowCasterCount = 0;
bool fullscreen = true;

}  // namespace graphics_state

using namespace graphics_state;

namespace {

// The window library gives its reasons only to the error callback, which
// logs them on standard output; a start-up failure repeats the last one on
// standard error, where the fatal-error text goes, so that a failed start
// never ends without a word.
void ReportStartFailure(const std::string& what) {
    const char* reason = nullptr;
    glfwGetError(&reason);
    std::fprintf(stderr, "Graphics: %s%s%s\n", what.c_str(), reason ? ": " : "", reason ? reason : "");
    std::fflush(stderr);
}

// The full-screen window on the primary monitor, its context current; false
// (the reason written) when there is none.
bool OpenFullscreenWindow() {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode) {
        ReportStartFailure("no monitor to open the window on");
        return false;
    }
    glfwWindowHint(GLFW_RED_BITS, mode->redBits);
    glfwWindowHint(GLFW_GREEN_BITS, mode->greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, mode->blueBits);
    glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    // The frame loop alone decides when a full-screen window in the
    // background is minimised; the library's own rule would do it at once.
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    window = glfwCreateWindow(mode->width, mode->height, "Quillmere", monitor, nullptr);
    if (!window) {
        ReportStartFailure("glfwCreateWindow failed");
        return false;
    }
    glfwMakeContextCurrent(window);
    if (!glfwGetCurrentContext()) {
        ReportStartFailure("glfwMakeContextCurrent failed");
        return false;
    }
    return true;
}

}  // namespace

Graphics::Graphics() {
    glfwSetErrorCallback(GlfwErrorCallback);
    if (!glfwInit()) {
        ReportStartFailure("glfwInit failed");
        std::exit(1);
    }
    // No window means no context: the driver could not give a 3.3 core one.
    if (!OpenFullscreenWindow())
        throw debug::exception("Failed to initialize OpenGL. Ensure that OpenGL 3.3 is supported on your computer.");
    if (epoxy_gl_version() < 33) throw debug::exception("This game requies OpenGL 3.3 support.");
    ImGuiGlue::Init(window, true);
    vectorContext = vdCreateGL3(VD_ANTIALIAS);
    glfwSwapInterval(1);
    forwardShader = std::make_unique<Shader>("shaders/forward.vs", "shaders/forward.frag");
    forwardDepthShader = std::make_unique<Shader>("shaders/forward.vs", "shaders/forward_depth.frag");
    spriteQuad = MakeQuad(kSpriteQuadVertices);
    centredQuad = MakeQuad(kCentredQuadVertices);
    glBindVertexArray(0);
    lightRenderer = std::make_unique<LightRenderer>();
    events::Register<>("PostDraw");
}

Graphics::~Graphics() {
    ClearTextures();
    vdDeleteInternal(vectorContext);
    vectorContext = nullptr;
    DeleteQuad(spriteQuad);
    DeleteQuad(centredQuad);
    lightRenderer.reset();
    forwardShader.reset();
    forwardDepthShader.reset();
    ImGuiGlue::Shutdown();
    glfwTerminate();
    window = nullptr;
}

bool Graphics::BeginFrame() {
    ImGuiGlue::NewFrame();
    glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
    if (framebufferWidth < 1 || framebufferHeight < 1) {
        // No EndFrame follows an undrawn frame; the user interface's frame
        // must still end before the next one starts.
        ImGui::EndFrame();
        return false;
    }
    glViewport(0, 0, framebufferWidth, framebufferHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

void Graphics::EndFrame() {
    ImGui::Render();
    ImGuiGlue::RenderDrawLists(ImGui::GetDrawData());
    glfwSwapBuffers(window);
}

GLFWwindow* Graphics::GetWindow() { return window; }

void Graphics::GetFramebufferSize(int& width, int& height) {
    width = framebufferWidth;
    height = framebufferHeight;
}

VDcontext* Graphics::GetVectorContext() { return vectorContext; }

unsigned Graphics::GetQuadVAO() { return centredQuad.vao; }

int Graphics::GetPointLightCount() { return pointLightCount; }

int Graphics::GetMoonLightCount() { return moonLightCount; }

int Graphics::GetShadowCasterCount() { return shadowCasterCount; }

void Graphics::GlfwErrorCallback(int code, const char* description) {
    DebugPrint("Error " + std::to_string(code) + ": " + description);
}
