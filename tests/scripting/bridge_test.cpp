// What the event bridge hands Lua for the save document, and how it writes
// Lua's data back.
#include <sstream>

#include <json/reader.h>

#include "core/components/registry.h"
#include "core/events/events.h"
#include "scripting/export_list.h"
#include "scripting/lua_host.h"
#include "tests/scripting/lua_fixture.h"

namespace {

TEST_F(LuaTest, TheSaveDocumentReachesLevelLoadAsAFlatTableOfItsNumbersAndTexts) {
    // The table as sorted key=value:type entries.
    Lua(R"(
events.Connect("LevelLoad", "probe", function(save)
    local members = {}
    for key, value in pairs(save) do members[#members + 1] = key .. "=" .. tostring(value) .. ":" .. type(value) end
    table.sort(members)
    loaded = table.concat(members, " ")
end)
)");
    struct Case {
        const char* document;
        const char* table;
    } cases[] = {
        {R"({"coins": 3, "name": "x", "done": true, "list": [1], "nested": {"a": 1}, "gone": null,
            "ratio": 0.5, "big": 4294967295})",
         "big=4294967295:number coins=3:number name=x:string ratio=0.5:number"},
        {"null", ""},
        {R"([1, "two"])", ""},
        {R"("text")", ""},
    };
    for (const Case& each : cases) {
        Json::Value document;
        std::istringstream(each.document) >> document;
        events::Call<Json::Value*>("LevelLoad", &document);
        EXPECT_EQ(Eval("loaded"), each.table) << each.document;
    }
}

// Lua writes into the save document during "LevelUnload" only; afterwards
// the document is gone and a write is refused with a line.
TEST_F(LuaTest, LuaWritesTheSaveDocumentDuringLevelUnloadOnly) {
    Lua(R"(
local C = require("ffi").C
events.Connect("LevelUnload", "probe", function()
    C.lb_serialize_number("coins", 3)
    C.lb_serialize_string("name", "x")
    C.lb_serialize_number("coins", 4)
    C.lb_serialize_string(nil, nil)
end)
)");
    Json::Value document;
    events::Call<Json::Value*>("LevelUnload", &document);
    Json::Value expected(Json::objectValue);
    expected["coins"] = 4.0;
    expected["name"] = "x";
    expected[""] = "";
    EXPECT_EQ(document, expected);
    lb_serialize_number("late", 1.0);
    lb_serialize_string("late", "x");
    EXPECT_EQ(Logged(), (std::vector<std::string>{"lb_serialize_number: nothing is being serialized",
                                                  "lb_serialize_string: nothing is being serialized"}));
    EXPECT_EQ(document, expected);
}

// The Lua dispatcher calls listeners in the order connected; one may
// disconnect itself or a later one while called, and one that fails does not
// keep the others from their turn.
TEST_F(LuaTest, LuaListenersRunInOrderAndSurviveEachOther) {
    Lua(R"(
calls = {}
local function Record(name) return function(key) calls[#calls + 1] = name .. key end end
events.Connect("KeyPressed", "first", function(key)
    Record("first")(key)
    events.Disconnect("KeyPressed", "first")
    events.Disconnect("KeyPressed", "third")
end)
events.Connect("KeyPressed", "failing", function() error("listener failed") end)
events.Connect("KeyPressed", "second", Record("second"))
events.Connect("KeyPressed", "third", Record("third"))
events.Connect("KeyPressed", "second", Record("again"))
)");
    events::Call<int>("KeyPressed", 65);
    events::Call<int>("KeyPressed", 66);
    EXPECT_EQ(Eval("table.concat(calls, ' ')"), "first65 again65 again66");
    EXPECT_EQ(Logged().size(), 2u);
    // As many listeners as a level's worth of Lua components.
    Lua(R"(
heard = 0
for i = 1, 20000 do events.Connect("KeyReleased", "many" .. i, function() heard = heard + 1 end) end
for i = 1, 20000, 2 do events.Disconnect("KeyReleased", "many" .. i) end
)");
    events::Call<int>("KeyReleased", 65);
    EXPECT_EQ(Eval("heard"), "10000");
}

// Reloading the scripts replaces the state: the old bridge goes with it, the
// new state connects its own, and Lua component types keep their ids.
TEST_F(LuaTest, AReloadReconnectsTheBridgeAndKeepsComponentTypeIds) {
    Lua("components.Register('Kept', {})");
    const uint32_t id = components::GetID("Kept");
    DestroyLuaHost();
    EXPECT_EQ(GetLuaState(), nullptr);
    EXPECT_FALSE(events::Disconnect("LogicUpdate", "LuaBindingLogicUpdate"));
    events::Call<float>("LogicUpdate", 0.25f);  // reaches no Lua
    CreateLuaHost();
    Lua("components.Register('Kept', {}) events.Connect('LogicUpdate', 'probe', function(dt) seen = dt end)");
    EXPECT_EQ(components::GetID("Kept"), id);
    events::Call<float>("LogicUpdate", 0.25f);
    EXPECT_EQ(Eval("seen"), "0.25");
}

}  // namespace
