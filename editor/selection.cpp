// Which entities the editor has selected: clicks in the list, the pick rule
// under the mouse and the rubber band.
#include <algorithm>
#include <cmath>

#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/input/input.h"
#include "editor/editor.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"

namespace {

constexpr const char* kBoxListener = "MouseMovementMouseSelection";

struct rubber_band {
    bool active = false;
    bool removeMode = false;
    bool toggleMode = false;
    glm::vec3 start{0.0f};
};

rubber_band band;

}  // namespace

glm::vec3 MouseWorldPoint() {
    const glm::vec2 mouse = GetMousePosition();
    return Camera::ScreenToWorld(mouse.x, mouse.y, 0.0f);
}

void Editor::SelectEntity(engine::entity_handle handle, bool replace, bool toggle) {
    const auto found = std::find(selection.begin(), selection.end(), handle);
    const bool listed = found != selection.end();
    if (!replace && listed && toggle) {
        selection.erase(found);
        return;
    }
    events::Call<engine::entity_handle>("EditorSelectedEntity", handle);
    primarySelection = handle;
    // Replacing with an entity already selected keeps the group, so a drag
    // that starts on it moves all of them.
    if (replace && !listed) selection.clear();
    if (handle != engine::entity_handle() && !listed) selection.push_back(handle);
}

void Editor::RemoveFromSelection(engine::entity_handle handle) {
    const auto found = std::find(selection.begin(), selection.end(), handle);
    if (found != selection.end()) selection.erase(found);
    if (handle == primarySelection) primarySelection = engine::entity_handle();
}

engine::entity_handle PickEntity(const std::vector<engine::entity_handle>& entities, glm::vec3 m, float half) {
    engine::entity_handle picked;
    float pickedZ = 0.0f;
    for (const engine::entity_handle& entity : entities) {
        if (!entity.IsValid()) continue;
        const glm::vec3 p = entity.GetPosition();
        if (!(m.x - half < p.x && p.x < m.x + half && m.y - half < p.y && p.y < m.y + half)) continue;
        if (picked == engine::entity_handle() || p.z > pickedZ) {
            picked = entity;
            pickedZ = p.z;
        }
    }
    return picked;
}

void Editor::MouseSelection(bool begin, bool toggleOrAdd, bool removeMode) {
    if (begin) {
        band.removeMode = removeMode;
        band.toggleMode = toggleOrAdd;
        band.start = MouseWorldPoint();
        // A press whose release never arrived left the box open: it is
        // started again, never drawn twice.
        if (!band.active) events::Connect<>("DebugDraw", kBoxListener, DrawSelectionBox);
        band.active = true;
        return;
    }
    if (!band.active) return;
    const glm::vec3 m = MouseWorldPoint();
    const float left = std::min(band.start.x, m.x), right = std::max(band.start.x, m.x);
    const float bottom = std::min(band.start.y, m.y), top = std::max(band.start.y, m.y);
    CloseSelectionBox();
    const std::vector<engine::entity_handle> entities = engine::GetAllEntities();
    for (const engine::entity_handle& entity : entities) {
        if (!entity.IsValid()) continue;
        const glm::vec3 p = entity.GetPosition();
        if (!(left < p.x && p.x < right && bottom < p.y && p.y < top)) continue;
        if (band.removeMode)
            RemoveFromSelection(entity);
        else
            SelectEntity(entity, false, band.toggleMode);
    }
}

void Editor::CloseSelectionBox() {
    if (!band.active) return;
    events::Disconnect("DebugDraw", kBoxListener);
    band.active = false;
}

void Editor::DrawSelectionBox() {
    const glm::vec3 m = MouseWorldPoint();
    const glm::vec3 centre = (band.start + m) * 0.5f;
    DebugDraw::Rect(centre, std::abs(centre.x - band.start.x) * 2.0f, std::abs(centre.y - band.start.y) * 2.0f);
}
