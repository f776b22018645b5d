#pragma once
// The in-game level editor. One Editor exists while the engine is in editor
// mode (the engine creates it when the editor opens and destroys it when it
// closes); it owns the selection, listens to the mouse, the keyboard and the
// debug-draw pass, and draws the "Editor" window with its Level, Sound,
// Tiles and Graphics tabs. The action list (undo history and live drags),
// the current tab and the Shift-click anchors are module state that outlive
// the Editor. Main thread only, inside the frame loop.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "core/entity/entity_handle.h"

enum EditorTab : int32_t { kLevelTab = 0, kSoundTab = 1, kTilesTab = 2, kGraphicsTab = 3 };

class Editor {
public:
    // An undoable (or at least updatable) step of the user's work.
    class action_ {
    public:
        action_(std::string name, bool active) : name(std::move(name)), active(active) {}
        virtual void Update() {}
        // Throws debug::exception when something it would restore is gone.
        virtual void Undo() {}
        virtual ~action_() = default;

        std::string name;
        bool active;
    };

    // Starts with nothing selected, takes note of the game's camera and
    // connects the four listeners.
    Editor();
    // Ends a drag, pan, rubber band or tile stroke still in progress,
    // disconnects the four listeners and puts the camera back where the
    // game had it, position and zoom.
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // The window; once per frame in editor mode, after UpdateActions.
    void Draw();
    void DrawLevelTab();
    void DrawGraphicsTab();
    void DrawTilesTab();
    void DrawSoundTab();
    void DrawFmodSounds();
    void DrawSoundCues();

    // replace: the handle becomes the whole selection unless it is already
    // part of it; toggle: a listed handle added without replace is removed.
    void SelectEntity(engine::entity_handle handle, bool replace, bool toggle);
    void RemoveFromSelection(engine::entity_handle handle);
    engine::entity_handle GetPrimarySelection() const { return primarySelection; }
    const std::vector<engine::entity_handle>& GetSelection() const { return selection; }

    void OnKeyPressed(int key);
    void OnMouseButtonPressed(int button);
    void OnMouseButtonReleased(int button);
    // The square handle of every entity near the camera, coloured by selection.
    void DrawDraggables();

    // Picks the entity under the mouse and starts dragging the selection;
    // false when nothing was under it.
    bool BeginDrag(bool ctrl);
    void BeginPanCamera();
    bool EndMoveEntity();
    void EndPanCamera();
    // The rubber band: begin opens it at the mouse; !begin closes it and
    // applies it to every entity strictly inside.
    void MouseSelection(bool begin, bool toggleOrAdd, bool removeMode);
    static void DrawSelectionBox();
    // Closes an open box without applying it.
    static void CloseSelectionBox();

    // The action list, oldest first; at most kMaxActions long.
    static std::vector<std::unique_ptr<action_>>& GetActions();
    // Takes ownership; a full list first drops its oldest kPrunedActions.
    static void PushAction(std::unique_ptr<action_> action);
    static void UpdateActions();
    static void Undo();
    // Empties the action list. Entity ids restart with every level load, so
    // the history of one level must never act on the next.
    static void ClearActions();
    // Forgets everything that names the level's entities: the action list,
    // the selection and the Shift-click anchors. For a level load, reload or
    // clear, after which ids name other entities.
    static void ForgetLevel();

    static constexpr size_t kMaxActions = 1000;
    static constexpr size_t kPrunedActions = 200;

private:
    engine::entity_handle primarySelection;
    std::vector<engine::entity_handle> selection;
    glm::vec3 gameCameraPosition;
    float gameCameraZoom;
};

// Drags the entities selected when it was made, keeping each one's offset
// from the mouse; undone by putting them back where they started.
class moveEntityAction : public Editor::action_ {
public:
    moveEntityAction(std::vector<engine::entity_handle> entities, glm::vec3 mouse);
    void Update() override;
    void Undo() override;

private:
    std::vector<engine::entity_handle> entities;
    std::vector<glm::vec3> grabOffsets;
    std::vector<glm::vec3> startPositions;
};

// Moves the camera so that the world point under the mouse stays there.
// Never undone.
class panCameraAction : public Editor::action_ {
public:
    panCameraAction(glm::vec3 mouse, glm::vec3 cameraPosition);
    void Update() override;

private:
    glm::vec3 mouseStart;
    glm::vec3 cameraStart;
    glm::vec3 camera;
};

// The open editor; null while the editor is closed.
extern Editor* g_editor;

// The mouse cursor in world units at depth 0.
glm::vec3 MouseWorldPoint();

// The pick rule: the entity whose position lies strictly within half of m in
// x and y, the greatest z winning and ties going to the earliest; the null
// handle when none does.
engine::entity_handle PickEntity(const std::vector<engine::entity_handle>& entities, glm::vec3 m, float half);

// The entities a Shift-click range covers: from the first of the two
// anchors met in creation order through the second; with only one anchor
// among the entities, from it to the end; the same entity twice, just it.
std::vector<engine::entity_handle> EntitiesInRange(const std::vector<engine::entity_handle>& entities,
                                                   engine::entity_handle start, engine::entity_handle end);

// The entity inspector of the Level tab, for a valid entity.
void EditEntityWindow(engine::entity_handle entity);
// Component type names in byte order.
bool CompareComponentNames(const std::pair<uint32_t, std::string>& a, const std::pair<uint32_t, std::string>& b);

// The tile painter: a left press in the level while the Tiles tab is current
// paints the selected tile type at the mouse every frame until the left
// button is released.
namespace TileEditor {
void OnMouseButtonPressed();
void DragUpdate(float time);
void OnMouseButtonReleased(int button);
// Ends a stroke in progress (the editor is closing).
void EndStroke();
void SetSelectedTileType(uint32_t type);
}  // namespace TileEditor

// The current tab; starts at the Level tab and outlives the Editor.
EditorTab GetCurrentTab();
void SetCurrentTab(EditorTab tab);
