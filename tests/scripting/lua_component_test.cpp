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

// Fields that the script could not read are not offered for editing: an edit
// would reach only Lua's defaults while the level saves what it was loaded
// with. Once a script reads them, they are.
TEST_F(LuaTest, FieldsTheScriptCouldNotReadAreNotOffered) {
    Lua(R"(
components.Register("Tuning", { fields = { speed = 1.5 }, Deserialize = function() error("mistake", 0) end })
shown = 0
local display = lb_ComponentEditInfoDisplay
lb_ComponentEditInfoDisplay = function(...) shown = shown + 1 display(...) end
)");
    const engine::entity_handle entity = engine::CreateEntity();
    entity.AddComponent("Tuning", Parse(R"({"__component_name": "Tuning", "speed": 7.25})"));
    RootComponent* tuning = entity.GetBaseEntity().components.at(components::GetID("Tuning")).get();
    Inspect(tuning);
    EXPECT_EQ(Eval("shown"), "0");
    EXPECT_EQ(tuning->Serialize()["speed"].asDouble(), 7.25);
    Lua("components.types.Tuning.Deserialize = nil");
    const engine::entity_handle read = engine::CreateEntity();
    read.AddComponent("Tuning", Parse(R"({"__component_name": "Tuning", "speed": 7.25})"));
    Inspect(read.GetBaseEntity().components.at(components::GetID("Tuning")).get());
    EXPECT_EQ(Eval("shown"), "1");
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

// The inspector's edit functions called straight through ffi.C from a loop
// of 3,000 widgets a frame, the edited field deep inside it; a character is
// typed into that field every other frame. Lua hears of every change.
TEST_F(LuaTest, EditsFromAHotLoopOfEditCallsAllReachLua) {
    struct Field {
        const char* name;
        const char* edit;
        int typed;  // a float field holds 30 digits before it reads as infinity
        std::string after;
    };
    const Field fields[] = {
        {"speed", "lb_component_edit_double", 30, "1.111e+29"},
        {"title", "lb_component_edit_string", 200, std::string(200, '1')},
    };
    for (const Field& field : fields) {
        SCOPED_TRACE(field.name);
        Lua(std::string(R"(
local C = require("ffi").C
components.Register("Tuning", { fields = { speed = 1.5, title = "t" } })
edits = 0
shippedSet = shippedSet or lb_ComponentEditInfoSet
lb_ComponentEditInfoSet = function(...) edits = edits + 1 shippedSet(...) end
field, drawnAt = ")") + field.name + R"(", 1
lb_ComponentEditInfoDisplay = function(entity, typeName)
    local instance = components.Get(entity, typeName)
    for i = 1, 3000 do
        C.)" + field.edit + R"((i == drawnAt and field or "other", instance[field])
    end
end
)");
        const engine::entity_handle entity = engine::CreateEntity();
        RootComponent* tuning = AddTo(entity, "Tuning");
        const auto tall = [] { ImGui::SetWindowSize(ImVec2(300, 100000)); };
        Inspect(tuning, [&] { tall(); ImGui::SetKeyboardFocusHere(); });
        Inspect(tuning, tall);  // the field takes the focus, its text selected
        Lua("drawnAt = 1500");
        for (int frame = 0; frame < 2 * field.typed; ++frame)
            Inspect(tuning, [&] {
                tall();
                if (frame % 2 == 0) ImGui::GetIO().AddInputCharacter('1');
            });
        EXPECT_EQ(Eval("edits"), std::to_string(field.typed));
        const std::string value = "components.Get(lb_CreateEntity(" + std::to_string(entity.GetIndex()) + ", " +
                                  std::to_string(entity.GetId()) + "), 'Tuning')." + field.name;
        EXPECT_EQ(Eval(field.edit == std::string("lb_component_edit_double") ? "string.format('%.4g', " + value + ")"
                                                                             : value),
                  field.after);
    }
}

}  // namespace
