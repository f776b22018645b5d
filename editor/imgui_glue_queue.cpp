// Keys, characters and clicks for the library, in the order they came. The
// library reads its input once per frame as a state: within a frame it
// handles the typed characters first, then the key presses, each with the
// modifiers as they stand at the end of the frame. So each frame takes the
// events in order up to the first one it would read out of order, and that
// one waits, with everything after it, for the next frame:
// - a second change of a key (a tap within one frame is seen down for one
//   frame, two taps are two presses);
// - a character after a key press that edits text (the Ctrl+A and Backspace
//   of Ctrl+A, Backspace, "world" would otherwise come after the typing);
// - a modifier change after such a press or a click, and a Ctrl or Alt
//   change after a character (a Ctrl released after a Ctrl+click);
// - a click after typing, and a click of a button the last frame saw down
//   (two clicks are two clicks).
// Keys the library ignores (printable keys without Ctrl) never wait, so
// plain typing goes through at once at any frame rate.
#include <algorithm>

#include <GLFW/glfw3.h>
#include <imgui.h>

#include "editor/imgui_glue.h"
#include "editor/imgui_glue_state.h"

namespace ImGuiGlue {

namespace {

// Events held for later frames at most; beyond it a slow frame rate drops
// the newest characters, clicks and key taps rather than lag without end.
constexpr size_t kMaxWaiting = 64;

void UpdateModifiers(ImGuiIO& io) {
    io.KeyCtrl = io.KeysDown[GLFW_KEY_LEFT_CONTROL] || io.KeysDown[GLFW_KEY_RIGHT_CONTROL];
    io.KeyShift = io.KeysDown[GLFW_KEY_LEFT_SHIFT] || io.KeysDown[GLFW_KEY_RIGHT_SHIFT];
    io.KeyAlt = io.KeysDown[GLFW_KEY_LEFT_ALT] || io.KeysDown[GLFW_KEY_RIGHT_ALT];
}

bool IsModifier(int key) { return key >= GLFW_KEY_LEFT_SHIFT && key <= GLFW_KEY_RIGHT_SUPER; }

// Whether the library acts on the key in a text field: the modifiers, the
// mapped keys, and of those the letters only as Ctrl shortcuts.
bool EditsText(const ImGuiIO& io, int key) {
    if (IsModifier(key)) return true;
    const bool mapped = std::find(std::begin(io.KeyMap), std::end(io.KeyMap), key) != std::end(io.KeyMap);
    return mapped && (key >= GLFW_KEY_ESCAPE || io.KeyCtrl);
}

bool IsCtrlOrAlt(int key) {
    return key == GLFW_KEY_LEFT_CONTROL || key == GLFW_KEY_RIGHT_CONTROL || key == GLFW_KEY_LEFT_ALT ||
           key == GLFW_KEY_RIGHT_ALT;
}

bool MustWait(const frame_input& coming, const input_event& event, bool modifier) {
    const bool clicked = std::any_of(std::begin(coming.clicked), std::end(coming.clicked), [](bool c) { return c; });
    const int key = static_cast<int>(event.code);
    switch (event.kind) {
        case input_event::kKey:
            return coming.keyChanged[key] ||
                   (modifier && (coming.editPressed || clicked || (coming.typed && IsCtrlOrAlt(key))));
        case input_event::kCharacter: return coming.editPressed;
        // Between frames the button's down flag is the last frame's: a new
        // press needs a frame that saw the button up in between.
        case input_event::kMouseButton:
            return coming.clicked[key] || ImGui::GetIO().MouseDown[key] || coming.typed || coming.editPressed;
    }
    return false;
}

// Hands the event to the coming frame; false when it has to wait.
bool HandOver(const input_event& event) {
    ImGuiIO& io = ImGui::GetIO();
    frame_input& coming = State().coming;
    const int code = static_cast<int>(event.code);
    if (event.kind == input_event::kKey && !EditsText(io, code)) {
        io.KeysDown[code] = event.down;
        return true;
    }
    const bool modifier = event.kind == input_event::kKey && IsModifier(code);
    if (MustWait(coming, event, modifier)) return false;
    switch (event.kind) {
        case input_event::kKey:
            io.KeysDown[code] = event.down;
            coming.keyChanged[code] = true;
            coming.editPressed = coming.editPressed || (event.down && !modifier);
            UpdateModifiers(io);
            break;
        case input_event::kCharacter:
            io.AddInputCharacter(event.code);
            coming.typed = true;
            break;
        case input_event::kMouseButton: coming.clicked[code] = true; break;
    }
    return true;
}

void Arrive(const input_event& event) {
    glue_state& state = State();
    if (state.waiting.empty() && HandOver(event)) return;
    if (state.waiting.size() < kMaxWaiting) {
        state.waiting.push_back(event);
        return;
    }
    if (event.kind != input_event::kKey) return;
    // Full: a key change cancels the newest waiting change of its key, so a
    // dropped tap leaves no key stuck down.
    const auto same = std::find_if(state.waiting.rbegin(), state.waiting.rend(), [&](const input_event& waiting) {
        return waiting.kind == input_event::kKey && waiting.code == event.code;
    });
    if (same != state.waiting.rend())
        state.waiting.erase(std::next(same).base());
    else
        state.waiting.push_back(event);
}

void SetKey(int key, bool down) {
    if (key < 0 || key >= kKeyCount) return;
    bool& typed = State().keysTyped[key];
    if (typed == down) return;
    typed = down;
    Arrive({input_event::kKey, static_cast<unsigned int>(key), down});
}

}  // namespace

void OnKeyPress(int key) { SetKey(key, true); }

void OnKeyRelease(int key) { SetKey(key, false); }

void OnChar(GLFWwindow*, unsigned int codePoint) {
    if (codePoint > 0 && codePoint < 0x10000) Arrive({input_event::kCharacter, codePoint, false});
}

void OnMousePress(int button) {
    if (button >= 0 && button < 3) Arrive({input_event::kMouseButton, static_cast<unsigned int>(button), true});
}

void HandOverWaitingInput() {
    std::deque<input_event>& waiting = State().waiting;
    while (!waiting.empty() && HandOver(waiting.front())) waiting.pop_front();
}

void StartNextFrameInput() { State().coming = frame_input(); }

bool PressWaiting(int button) {
    const std::deque<input_event>& waiting = State().waiting;
    return std::any_of(waiting.begin(), waiting.end(), [&](const input_event& event) {
        return event.kind == input_event::kMouseButton && static_cast<int>(event.code) == button;
    });
}

}  // namespace ImGuiGlue
