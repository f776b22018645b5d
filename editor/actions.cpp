// The editor's actions: entity drags (kept for undo) and camera pans, in one
// bounded list that outlives the Editor.
#include <algorithm>

#include "core/diagnostics/exception.h"
#include "core/entity/entity_table.h"
#include "editor/editor.h"
#include "graphics/camera.h"

namespace {

std::vector<std::unique_ptr<Editor::action_>> actions;

constexpr const char* kMoveEntity = "MoveEntity";
constexpr const char* kPanCamera = "PanCamera";

// The first action of that name still in progress.
std::vector<std::unique_ptr<Editor::action_>>::iterator FirstActive(const std::string& name) {
    return std::find_if(actions.begin(), actions.end(),
                        [&](const auto& action) { return action->active && action->name == name; });
}

// Half the side of an entity's handle, in world units: 20 framebuffer pixels.
float HandleHalfSide() { return static_cast<float>(20.0 / Camera::PixelScale()) * 0.5f; }

}  // namespace

moveEntityAction::moveEntityAction(std::vector<engine::entity_handle> entities, glm::vec3 mouse)
    : action_(kMoveEntity, true), entities(std::move(entities)) {
    for (const engine::entity_handle& entity : this->entities) {
        // An entity destroyed since it was selected is skipped by Update and
        // ends Undo; its numbers are never read.
        const glm::vec3 position = entity.IsValid() ? entity.GetPosition() : glm::vec3(0.0f);
        grabOffsets.push_back(mouse - position);
        startPositions.push_back(position);
    }
}

void moveEntityAction::Update() {
    const glm::vec3 mouse = MouseWorldPoint();
    for (size_t i = 0; i < entities.size(); ++i)
        if (entities[i].IsValid()) entities[i].GetPosition() = mouse - grabOffsets[i];
}

void moveEntityAction::Undo() {
    for (size_t i = 0; i < entities.size(); ++i) entities[i].GetPosition() = startPositions[i];
}

panCameraAction::panCameraAction(glm::vec3 mouse, glm::vec3 cameraPosition)
    : action_(kPanCamera, true), mouseStart(mouse), cameraStart(cameraPosition), camera(cameraPosition) {}

void panCameraAction::Update() {
    camera -= MouseWorldPoint() - mouseStart;
    Camera::SetPosition(camera);
}

std::vector<std::unique_ptr<Editor::action_>>& Editor::GetActions() { return actions; }

void Editor::PushAction(std::unique_ptr<action_> action) {
    if (actions.size() >= kMaxActions) actions.erase(actions.begin(), actions.begin() + kPrunedActions);
    actions.push_back(std::move(action));
}

void Editor::UpdateActions() {
    for (const auto& action : actions)
        if (action->active) action->Update();
}

void Editor::Undo() {
    while (!actions.empty()) {
        try {
            actions.back()->Undo();
            actions.pop_back();
            return;
        } catch (const debug::exception&) {
            // Something it moved is gone: drop it and undo the one before.
            actions.pop_back();
        }
    }
}

void Editor::ClearActions() { actions.clear(); }

bool Editor::BeginDrag(bool ctrl) {
    const glm::vec3 m = MouseWorldPoint();
    const engine::entity_handle picked = PickEntity(engine::GetAllEntities(), m, HandleHalfSide());
    if (picked == engine::entity_handle()) {
        if (!ctrl) SelectEntity(engine::entity_handle(), true, true);
        return false;
    }
    SelectEntity(picked, !ctrl, true);
    PushAction(std::make_unique<moveEntityAction>(selection, m));
    return true;
}

void Editor::BeginPanCamera() {
    PushAction(std::make_unique<panCameraAction>(MouseWorldPoint(), Camera::GetPosition()));
}

bool Editor::EndMoveEntity() {
    const auto found = FirstActive(kMoveEntity);
    if (found == actions.end()) return false;
    (*found)->active = false;
    return true;
}

void Editor::EndPanCamera() {
    const auto found = FirstActive(kPanCamera);
    if (found != actions.end()) actions.erase(found);
}
