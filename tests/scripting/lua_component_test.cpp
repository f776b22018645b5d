// The edit widgets of Lua components, as the entity inspector draws them.
#include <functional>

#include <imgui.h>

#include "core/components/registry.h"
#include "core/entity/entity_base.h"
#include "core/entity/entity_table.h"
#include "graphics/graphics.h"
#include "scripting/export_list.h"
#include "tests/scripting/lua_fixture.h"

namespace {

RootComponent* AddTo(const engine::entity_handle& entity, const std::string& type) {
    entity.AddComponent(type, Json::Value());
    return entity.GetBaseEntity().components.at(components::GetID(type)).get();
}

// One frame of an inspector window showing the component; before runs
// inside the window, ahead of the component's widgets.
void Inspect(RootComponent* component, const std::function<void()>& before = [] {}) {
    ASSERT_TRUE(Graphics::BeginFrame());
    ImGui::Begin("Inspector");
    before();
    component->EditInfoDisplay();
    ImGui::End();
    Graphics::EndFrame();
}

TEST_F(LuaTest, TypingIntoAFieldReportsTheNewValueOncePerChangedFrame) {
    Lua(R"(
components.Register("Tuning", { fields = { speed = 1.5 } })
sets = {}
local set = lb_ComponentEditInfoSet
lb_ComponentEditInfoSet = function(entity, typeName, key, value)
    sets[#sets + 1] = typeName .. " " .. key .. "=" .. tostring(value)
    set(entity, typeName, key, value)
end
)");
    const engine::entity_handle entity = engine::CreateEntity();
    RootComponent* tuning = AddTo(entity, "Tuning");
    Inspect(tuning, [] { ImGui::SetKeyboardFocusHere(); });
    Inspect(tuning);  // the field takes the focus, its text selected
    Inspect(tuning, [] { ImGui::GetIO().AddInputCharacter('7'); });
    Inspect(tuning);
    EXPECT_EQ(Eval("table.concat(sets, ', ')"), "Tuning speed=7");
    EXPECT_EQ(Eval("components.Get(lb_CreateEntity(" + std::to_string(entity.GetIndex()) + ", " +
                   std::to_string(entity.GetId()) + "), 'Tuning').speed"),
              "7");
}

// Outside an inspector there is nothing to draw into, and a text longer than
// the shared edit buffer is shown cut short.
TEST_F(LuaTest, EditWidgetsDrawOnlyInsideTheInspector) {
    lb_component_edit_double("speed", 2.0f);
    lb_component_edit_string("name", "outside");
    lb_component_edit_string(nullptr, nullptr);
    Lua(R"(components.Register("Named", { fields = { first = string.rep("a", 600), second = "b" } }))");
    RootComponent* named = AddTo(engine::CreateEntity(), "Named");
    Inspect(named);
    Inspect(named);
    lb_component_edit_string("name", "after");
    EXPECT_TRUE(Logged().empty());
}

}  // namespace
