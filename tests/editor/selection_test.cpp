// The editor's selection rules on a real entity table, without a window.
#include <gtest/gtest.h>

#include "tests/editor/editor_fixture.h"

namespace {

using engine::entity_handle;

using Selection = EditorCpu;

TEST_F(Selection, PickTakesTheHighestZStrictlyInsideTheHandle) {
    const entity_handle low = At(0, 0, 0.1f), high = At(1, 1, 0.5f), tie = At(-1, 1, 0.5f);
    At(5, 0, 9.0f);  // on the edge of the handle: not inside
    At(0, -5, 9.0f);
    const std::vector<entity_handle>& all = engine::GetAllEntities();
    EXPECT_EQ(PickEntity(all, {0, 0, 0}, 5.0f), high) << "greatest z, earliest of the tie";
    EXPECT_EQ(PickEntity(all, {-0.5f, 0.5f, 0}, 1.0f), tie) << "only it and low are near; it is higher";
    EXPECT_EQ(PickEntity(all, {0, 0, 0}, 0.5f), low);
    EXPECT_EQ(PickEntity(all, {20, 20, 0}, 5.0f), entity_handle()) << "nothing there";
    engine::DestroyEntity(high, false);
    engine::FlushPendingDestroys();
    EXPECT_EQ(PickEntity(all, {0, 0, 0}, 5.0f), tie) << "a destroyed entity is never picked";
}

TEST_F(Selection, RangesRunInCreationOrderBetweenTheAnchors) {
    std::vector<entity_handle> e;
    for (int i = 0; i < 5; ++i) e.push_back(At(0, 0, 0));
    const std::vector<entity_handle>& all = engine::GetAllEntities();
    EXPECT_EQ(Ids(EntitiesInRange(all, e[1], e[3])), Ids({e[1], e[2], e[3]}));
    EXPECT_EQ(Ids(EntitiesInRange(all, e[3], e[1])), Ids({e[1], e[2], e[3]})) << "either click may come first";
    EXPECT_EQ(Ids(EntitiesInRange(all, e[2], e[2])), Ids({e[2]})) << "the same entity twice is just that one";
    EXPECT_EQ(Ids(EntitiesInRange(all, e[3], entity_handle(0, 99))), Ids({e[3], e[4]}));
}

TEST_F(Selection, CtrlTogglesAndReplacingAnEntityAlreadySelectedKeepsTheGroup) {
    const entity_handle a = At(0, 0, 0), b = At(0, 0, 0), c = At(0, 0, 0);
    Editor editor;
    editor.SelectEntity(a, true, true);
    editor.SelectEntity(b, false, true);  // Ctrl-click adds
    EXPECT_EQ(Ids(editor.GetSelection()), Ids({a, b}));
    EXPECT_EQ(editor.GetPrimarySelection(), b);
    editor.SelectEntity(a, true, true);  // a plain click on a selected entity
    EXPECT_EQ(Ids(editor.GetSelection()), Ids({a, b}));
    EXPECT_EQ(editor.GetPrimarySelection(), a);
    editor.SelectEntity(b, false, true);  // Ctrl-click removes; primary and event untouched
    EXPECT_EQ(Ids(editor.GetSelection()), Ids({a}));
    EXPECT_EQ(editor.GetPrimarySelection(), a);
    editor.SelectEntity(c, true, true);
    EXPECT_EQ(Ids(editor.GetSelection()), Ids({c}));
    editor.RemoveFromSelection(c);
    EXPECT_TRUE(editor.GetSelection().empty());
    EXPECT_EQ(editor.GetPrimarySelection(), entity_handle());
    editor.SelectEntity(entity_handle(), true, true);
    EXPECT_EQ(raised, (std::vector<uint32_t>{a.GetId(), b.GetId(), a.GetId(), c.GetId(), 0}));
}

TEST_F(Selection, TheEditorHoldsItsFourListenersOnlyWhileItLives) {
    const std::vector<std::pair<const char*, const char*>> listeners = {
        {"DebugDraw", "EditorDrawDraggables"},
        {"KeyPressed", "EditorKeyPressed"},
        {"MouseButtonPressed", "EditorMouseButtonPressed"},
        {"MouseButtonReleased", "EditorMouseButtonReleased"}};
    for (int round = 0; round < 2; ++round) {
        auto editor = std::make_unique<Editor>();
        EXPECT_THROW(Editor(), debug::exception) << "a second editor would connect the same ids";
        editor.reset();
        for (const auto& [event, id] : listeners) EXPECT_FALSE(events::Disconnect(event, id)) << id;
    }
}

}  // namespace
