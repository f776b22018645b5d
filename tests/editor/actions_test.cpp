// The action list: undo of drags, entities that went away, and its bound.
#include <gtest/gtest.h>

#include "tests/editor/editor_fixture.h"

namespace {

using engine::entity_handle;

class Actions : public EditorCpu {
protected:
    // A drag of these entities from where they stand to an offset.
    static void Drag(const std::vector<entity_handle>& entities, glm::vec3 by) {
        Editor::PushAction(std::make_unique<moveEntityAction>(entities, glm::vec3(0.0f)));
        for (const entity_handle& entity : entities) entity.GetPosition() += by;
        Editor::GetActions().back()->active = false;
    }
};

TEST_F(Actions, UndoPutsDragsBackInReverseOrder) {
    const entity_handle a = At(1, 2, 0.5f), b = At(-3, 4, 0.25f);
    Drag({a, b}, {10, 0, 0});
    Drag({a}, {0, 5, 0});
    Editor::Undo();
    EXPECT_EQ(a.GetPosition(), glm::vec3(11, 2, 0.5f));
    Editor::Undo();
    EXPECT_EQ(a.GetPosition(), glm::vec3(1, 2, 0.5f));
    EXPECT_EQ(b.GetPosition(), glm::vec3(-3, 4, 0.25f));
    EXPECT_TRUE(Editor::GetActions().empty());
    Editor::Undo();  // nothing left: nothing happens
}

TEST_F(Actions, AnUndoWhoseEntityIsGoneIsDroppedAndTheOneBeforeIsUndone) {
    const entity_handle a = At(0, 0, 0), gone = At(0, 0, 0), c = At(0, 0, 0);
    Drag({c}, {1, 1, 0});
    Drag({a, gone, c}, {2, 0, 0});
    engine::DestroyEntity(gone, false);
    engine::FlushPendingDestroys();
    Editor::Undo();
    EXPECT_EQ(a.GetPosition(), glm::vec3(0, 0, 0)) << "restored before the missing entity was met";
    EXPECT_EQ(c.GetPosition(), glm::vec3(0, 0, 0)) << "the drag before it was undone in its place";
    EXPECT_TRUE(Editor::GetActions().empty());
}

TEST_F(Actions, ADragOfAnEntityDestroyedBeforeItStartedIsHarmless) {
    const entity_handle gone = At(3, 3, 0);
    engine::DestroyEntity(gone, false);
    engine::FlushPendingDestroys();
    const entity_handle reused = At(7, 7, 0);  // the same slot, another id
    moveEntityAction drag({gone, reused}, glm::vec3(0.0f));
    EXPECT_THROW(drag.Undo(), debug::exception);
    EXPECT_EQ(reused.GetPosition(), glm::vec3(7, 7, 0));
}

TEST_F(Actions, AFullListDropsItsOldestTwoHundred) {
    for (int i = 0; i < 1001; ++i)
        Editor::PushAction(std::make_unique<Editor::action_>(std::to_string(i), false));
    const auto& actions = Editor::GetActions();
    ASSERT_EQ(actions.size(), 801u);
    EXPECT_EQ(actions.front()->name, "200");
    EXPECT_EQ(actions.back()->name, "1000");
    for (int i = 0; i < 199; ++i) Editor::PushAction(std::make_unique<Editor::action_>("more", false));
    EXPECT_EQ(actions.size(), 1000u) << "full, but not yet over";
}

TEST_F(Actions, EndingADragKeepsItForUndoWhileEndingAPanDropsIt) {
    const entity_handle a = At(0, 0, 0);
    Editor editor;
    Editor::PushAction(std::make_unique<panCameraAction>(glm::vec3(0.0f), glm::vec3(0.0f)));
    Editor::PushAction(std::make_unique<moveEntityAction>(std::vector<entity_handle>{a}, glm::vec3(0.0f)));
    EXPECT_TRUE(editor.EndMoveEntity());
    EXPECT_FALSE(editor.EndMoveEntity()) << "only the one in progress ends";
    editor.EndPanCamera();
    ASSERT_EQ(Editor::GetActions().size(), 1u);
    EXPECT_EQ(Editor::GetActions()[0]->name, "MoveEntity");
    EXPECT_FALSE(Editor::GetActions()[0]->active);
}

}  // namespace
