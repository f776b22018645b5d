// Key state for the library. It reads io.KeysDown once per frame, so a press
// and release between two frames would never be seen at all: a change that
// would undo one the library has not yet seen waits in a per-key queue, and
// each frame shows at most one queued change per key. A key held across
// frames goes up at once, as before.
#include <GLFW/glfw3.h>
#include <imgui.h>

#include "editor/imgui_glue.h"
#include "editor/imgui_glue_state.h"

namespace ImGuiGlue {

namespace {

// A few quick taps are shown one frame apart; beyond this many waiting
// changes the newest tap is dropped, so a slow frame rate delays typing by
// a bounded number of frames.
constexpr uint8_t kMaxQueuedChanges = 8;

void UpdateModifiers(ImGuiIO& io) {
    io.KeyCtrl = io.KeysDown[GLFW_KEY_LEFT_CONTROL] || io.KeysDown[GLFW_KEY_RIGHT_CONTROL];
    io.KeyShift = io.KeysDown[GLFW_KEY_LEFT_SHIFT] || io.KeysDown[GLFW_KEY_RIGHT_SHIFT];
    io.KeyAlt = io.KeysDown[GLFW_KEY_LEFT_ALT] || io.KeysDown[GLFW_KEY_RIGHT_ALT];
}

void SetKey(int key, bool down) {
    if (key < 0 || key >= kKeyCount) return;
    ImGuiIO& io = ImGui::GetIO();
    glue_state& state = State();
    uint8_t& queued = state.keyChangesQueued[key];
    const bool last = io.KeysDown[key] != ((queued & 1) != 0);  // after every waiting change
    if (down == last) return;
    if (queued == 0 && io.KeysDown[key] == state.keysShown[key])
        io.KeysDown[key] = down;
    else if (queued < kMaxQueuedChanges)
        ++queued;
    else
        --queued;  // cancels the newest waiting change instead
    UpdateModifiers(io);
}

}  // namespace

void OnKeyPress(int key) { SetKey(key, true); }

void OnKeyRelease(int key) { SetKey(key, false); }

void ShowNextKeyChanges() {
    ImGuiIO& io = ImGui::GetIO();
    glue_state& state = State();
    for (int key = 0; key < kKeyCount; ++key) {
        if (state.keyChangesQueued[key] && io.KeysDown[key] == state.keysShown[key]) {
            io.KeysDown[key] = !io.KeysDown[key];
            --state.keyChangesQueued[key];
        }
        state.keysShown[key] = io.KeysDown[key];
    }
    UpdateModifiers(io);
}

}  // namespace ImGuiGlue
