// The editor's keyboard commands and mouse gestures in the level.
#include <imgui.h>

#include "core/entity/entity_table.h"
#include "core/input/input.h"
#include "editor/editor.h"
#include "editor/imgui_glue.h"
#include "graphics/camera.h"

namespace {

enum Key : int {
    kC = 67, kD = 68, kE = 69, kF = 70, kQ = 81, kZ = 90,
    kDelete = 261, kRight = 262, kLeft = 263, kDown = 264, kUp = 265,
};
constexpr float kZoomStep = 1.5f;
// Arrow keys move the camera by this many framebuffer pixels.
constexpr double kArrowStep = 200.0;

bool CtrlHeld() { return ImGui::GetIO().KeyCtrl; }
bool ShiftHeld() { return ImGui::GetIO().KeyShift; }

void MoveCamera(float dx, float dy) {
    const float step = static_cast<float>(kArrowStep / Camera::PixelScale());
    glm::vec3& position = Camera::GetPosition();
    position.x += dx * step;
    position.y += dy * step;
}

}  // namespace

void Editor::OnKeyPressed(int key) {
    const ImGuiIO& io = ImGui::GetIO();
    if (io.WantCaptureKeyboard || io.WantTextInput) return;
    const bool selected = primarySelection != engine::entity_handle();
    switch (key) {
        case kC: {
            const engine::entity_handle entity = engine::CreateEntity();
            const glm::vec3 camera = Camera::GetPosition();
            entity.SetPosition(camera.x, camera.y, camera.z);
            SelectEntity(entity, true, true);
            break;
        }
        case kD:
            if (selected && primarySelection.IsValid()) engine::CreateEntity().CopyFrom(primarySelection);
            break;
        case kE: Camera::SetScale(Camera::GetZoom() * kZoomStep); break;
        case kF:
            if (selected && primarySelection.IsValid()) Camera::SetPosition(primarySelection.GetPosition());
            break;
        case kQ: Camera::SetScale(Camera::GetZoom() / kZoomStep); break;
        case kZ: Undo(); break;
        case kDelete:
            if (!selected) break;
            for (const engine::entity_handle& entity : selection) engine::DestroyEntity(entity, false);
            SelectEntity(engine::entity_handle(), true, true);
            break;
        case kRight: MoveCamera(1.0f, 0.0f); break;
        case kLeft: MoveCamera(-1.0f, 0.0f); break;
        case kDown: MoveCamera(0.0f, -1.0f); break;
        case kUp: MoveCamera(0.0f, 1.0f); break;
        default: break;
    }
}

// A press on one of the user interface's windows is the window's, even when
// the move onto it came in the same frame, before the library saw it there.
void Editor::OnMouseButtonPressed(int button) {
    const glm::vec2 mouse = GetMousePosition();
    if (ImGui::GetIO().WantCaptureMouse || ImGuiGlue::WindowAt(mouse.x, mouse.y)) return;
    if (button == 0) {
        if (GetCurrentTab() == kTilesTab) {
            TileEditor::OnMouseButtonPressed();
            return;
        }
        // A drag whose release never arrived ends here, before the next one.
        EndMoveEntity();
        if (ShiftHeld()) {
            MouseSelection(true, !CtrlHeld(), false);
            return;
        }
        if (CtrlHeld()) MouseSelection(true, true, true);
        BeginDrag(CtrlHeld());
    } else if (button == 1) {
        EndPanCamera();
        BeginPanCamera();
    }
}

// Not gated by the user interface: a release over a window still ends the
// gesture its press began.
void Editor::OnMouseButtonReleased(int button) {
    MouseSelection(false, true, false);
    if (button == 0)
        EndMoveEntity();
    else if (button == 1)
        EndPanCamera();
}
