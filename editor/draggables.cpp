// The square handle drawn at every entity near the camera.
#include <algorithm>

#include "core/entity/entity_table.h"
#include "editor/editor.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"

void Editor::DrawDraggables() {
    const float side = static_cast<float>(20.0 / Camera::PixelScale());
    const glm::vec3 camera = Camera::GetPosition();
    const glm::vec3 corner = Camera::ScreenToWorld(0.0f, 0.0f, 0.0f);
    const auto distance2 = [&](glm::vec3 p) {
        return (p.x - camera.x) * (p.x - camera.x) + (p.y - camera.y) * (p.y - camera.y);
    };
    const float r2 = distance2(corner);
    const glm::vec4 previous = DebugDraw::GetColor();  // other shapes keep theirs
    for (const engine::entity_handle& entity : engine::GetAllEntities()) {
        const glm::vec3 position = entity.GetPosition();
        if (!(distance2(position) < r2)) continue;
        if (entity == primarySelection)
            DebugDraw::SetColor(1.0f, 0.05f, 0.0f, 1.0f);
        else if (std::find(selection.begin(), selection.end(), entity) != selection.end())
            DebugDraw::SetColor(0.8f, 0.3f, 0.0f, 1.0f);
        else
            DebugDraw::SetColor(0.0f, 0.0f, 0.0f, 1.0f);
        DebugDraw::Rect(position, side, side);
    }
    DebugDraw::SetColor(previous.r, previous.g, previous.b, previous.a);
}
