#pragma once
// Connects Dear ImGui to the game's window and OpenGL 3.3 context. Key and
// mouse presses arrive through the named input events; scrolling and typed
// characters straight from GLFW. Keys, characters and presses reach the
// library in the order they came, at any frame rate: what a frame could not
// tell apart from what came before it waits for the next. Main thread only,
// with the window's context current.

struct GLFWwindow;
struct ImDrawData;

namespace ImGuiGlue {

// Creates the library's context and installs the key map and clipboard; with
// installHooks, also the three input listeners (the input events must be
// registered) and the scroll and character callbacks. No GL work yet.
bool Init(GLFWwindow* window, bool installHooks);

// This frame's display size, time, mouse, wheel and keys, then the
// library's new frame. The first call creates the GL objects. The mouse
// cursor shows only in the editor.
void NewFrame();

// Draws the library's lists, leaving every piece of GL state it touches as
// it found it.
void RenderDrawLists(ImDrawData* drawData);

void CreateDeviceObjects();
void CreateFontsTexture();

// Deletes the GL objects and the library's context.
void Shutdown();

void OnMousePress(int button);
// GLFW key codes 0 to 511; others are ignored. Every press of a key the
// library acts on is seen by at least one frame, however quickly the release
// follows.
void OnKeyPress(int key);
void OnKeyRelease(int key);
void OnScroll(GLFWwindow* window, double xOffset, double yOffset);
// Code points 1 to 65535; others are dropped.
void OnChar(GLFWwindow* window, unsigned int codePoint);

// Whether a window the library drew in its last frame covers the point
// (window coordinates). Between frames this is known before the library
// has seen the mouse there: a click that came with a move onto a window.
bool WindowAt(float x, float y);

const char* GetClipboardText(void* userData);
void SetClipboardText(void* userData, const char* text);

}  // namespace ImGuiGlue
