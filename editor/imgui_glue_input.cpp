#include <algorithm>

#include <GLFW/glfw3.h>
#include <imgui.h>
#include <imgui_internal.h>

#include "core/engine/engine.h"
#include "core/events/events.h"
#include "editor/imgui_glue.h"
#include "editor/imgui_glue_state.h"

namespace ImGuiGlue {

glue_state& State() {
    static glue_state state;
    return state;
}

bool Init(GLFWwindow* window, bool installHooks) {
    State().window = window;
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.KeyMap[ImGuiKey_Tab] = GLFW_KEY_TAB;
    io.KeyMap[ImGuiKey_LeftArrow] = GLFW_KEY_LEFT;
    io.KeyMap[ImGuiKey_RightArrow] = GLFW_KEY_RIGHT;
    io.KeyMap[ImGuiKey_UpArrow] = GLFW_KEY_UP;
    io.KeyMap[ImGuiKey_DownArrow] = GLFW_KEY_DOWN;
    io.KeyMap[ImGuiKey_PageUp] = GLFW_KEY_PAGE_UP;
    io.KeyMap[ImGuiKey_PageDown] = GLFW_KEY_PAGE_DOWN;
    io.KeyMap[ImGuiKey_Home] = GLFW_KEY_HOME;
    io.KeyMap[ImGuiKey_End] = GLFW_KEY_END;
    io.KeyMap[ImGuiKey_Delete] = GLFW_KEY_DELETE;
    io.KeyMap[ImGuiKey_Backspace] = GLFW_KEY_BACKSPACE;
    io.KeyMap[ImGuiKey_Enter] = GLFW_KEY_ENTER;
    io.KeyMap[ImGuiKey_Escape] = GLFW_KEY_ESCAPE;
    io.KeyMap[ImGuiKey_A] = GLFW_KEY_A;
    io.KeyMap[ImGuiKey_C] = GLFW_KEY_C;
    io.KeyMap[ImGuiKey_V] = GLFW_KEY_V;
    io.KeyMap[ImGuiKey_X] = GLFW_KEY_X;
    io.KeyMap[ImGuiKey_Y] = GLFW_KEY_Y;
    io.KeyMap[ImGuiKey_Z] = GLFW_KEY_Z;
    io.SetClipboardTextFn = SetClipboardText;
    io.GetClipboardTextFn = GetClipboardText;
    io.ClipboardUserData = window;

    if (installHooks) {
        events::Connect<int>("MouseButtonPressed", "imguiIOBindingMousePress", OnMousePress);
        events::Connect<int>("KeyPressed", "imguiIOBindingKeyPress", OnKeyPress);
        events::Connect<int>("KeyReleased", "imguiIOBindingKeyRelease", OnKeyRelease);
        glfwSetScrollCallback(window, OnScroll);
        glfwSetCharCallback(window, OnChar);
    }
    return true;
}

void OnScroll(GLFWwindow*, double, double yOffset) { State().scroll += static_cast<float>(yOffset); }

bool WindowAt(float x, float y) {
    const ImGuiContext* context = ImGui::GetCurrentContext();
    if (!context) return false;
    for (const ImGuiWindow* window : context->Windows)
        if (window->Active && !window->Hidden && !(window->Flags & ImGuiWindowFlags_NoMouseInputs) &&
            window->Rect().Contains(ImVec2(x, y)))
            return true;
    return false;
}

const char* GetClipboardText(void* userData) {
    return glfwGetClipboardString(static_cast<GLFWwindow*>(userData));
}

void SetClipboardText(void* userData, const char* text) {
    glfwSetClipboardString(static_cast<GLFWwindow*>(userData), text);
}

void NewFrame() {
    glue_state& state = State();
    if (!state.fontTexture) CreateDeviceObjects();
    ImGuiIO& io = ImGui::GetIO();

    int width, height, fbWidth, fbHeight;
    glfwGetWindowSize(state.window, &width, &height);
    glfwGetFramebufferSize(state.window, &fbWidth, &fbHeight);
    io.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
    io.DisplayFramebufferScale = ImVec2(width > 0 ? static_cast<float>(fbWidth) / width : 0.0f,
                                        height > 0 ? static_cast<float>(fbHeight) / height : 0.0f);

    const double now = glfwGetTime();
    // The library refuses a zero frame time, which two quick frames can give.
    io.DeltaTime = state.time > 0.0 ? std::max(static_cast<float>(now - state.time), 1e-6f) : 1.0f / 60.0f;
    state.time = now;

    if (glfwGetWindowAttrib(state.window, GLFW_FOCUSED)) {
        double x, y;
        glfwGetCursorPos(state.window, &x, &y);
        io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
    } else {
        io.MousePos = ImVec2(-1.0f, -1.0f);
    }
    HandOverWaitingInput();
    // A click handed over counts as one frame down however soon it was
    // released; a held button counts once its press is no longer waiting.
    for (int button = 0; button < 3; ++button)
        io.MouseDown[button] = state.coming.clicked[button] ||
                               (glfwGetMouseButton(state.window, button) == GLFW_PRESS && !PressWaiting(button));
    io.MouseWheel = state.scroll;
    state.scroll = 0.0f;

    const bool editorMode = g_engine && Engine::GetMode() == Engine::kEditorMode;
    glfwSetInputMode(state.window, GLFW_CURSOR, editorMode ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
    ImGui::NewFrame();
    StartNextFrameInput();
}

}  // namespace ImGuiGlue
