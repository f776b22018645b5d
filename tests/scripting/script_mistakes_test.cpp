// Plain mistakes in scripts: each ends in a message the script writer can
// read, and no designer's data and no listener is lost over it.
#include <algorithm>
#include <filesystem>
#include <map>

#include "core/components/registry.h"
#include "core/entity/entity_base.h"
#include "core/entity/entity_table.h"
#include "core/level/level_files.h"
#include "scripting/lua_host.h"
#include "tests/scripting/lua_fixture.h"

namespace {

std::string LuaEntity(const engine::entity_handle& entity) {
    return "lb_CreateEntity(" + std::to_string(entity.GetIndex()) + ", " + std::to_string(entity.GetId()) + ")";
}

Json::Value Saved(const engine::entity_handle& entity, const std::string& type) {
    return entity.GetBaseEntity().components.at(components::GetID(type))->Serialize();
}

// "Tick" on entity 17 and "Tick1" on entity 7 once shared the listener id
// "Tick17": one replaced the other, and removing one silenced both.
TEST_F(LuaTest, EachComponentInstanceKeepsItsOwnListeners) {
    Lua(R"(
runs = {}
for _, name in ipairs({ "Tick", "Tick1" }) do
    components.Register(name, { Initialize = function(self)
        self:Connect("LogicUpdate", function(self) runs[self.type] = (runs[self.type] or 0) + 1 end)
    end })
end
components.Register("Twice", { Initialize = function(self)
    self:Connect("LogicUpdate", function() runs.first = (runs.first or 0) + 1 end)
    self:Connect("LogicUpdate", function() runs.second = (runs.second or 0) + 1 end)
end })
function Runs() return (runs.Tick or 0) .. " " .. (runs.Tick1 or 0) .. " " .. (runs.first or 0) .. " " .. (runs.second or 0) end
)");
    std::map<uint32_t, engine::entity_handle> byId;
    for (int i = 0; i < 40 && byId.size() < 17; ++i) {
        const engine::entity_handle made = engine::CreateEntity();
        byId.emplace(made.GetId(), made);
    }
    ASSERT_EQ(byId.count(7) + byId.count(17), 2u);
    byId.at(17).AddComponent("Tick", Json::Value());
    byId.at(7).AddComponent("Tick1", Json::Value());
    byId.at(3).AddComponent("Twice", Json::Value());
    Lua(R"(events.Call("LogicUpdate", 0.1))");
    // Connecting an event again from one instance replaces its listener.
    EXPECT_EQ(Eval("Runs()"), "1 1 0 1");
    byId.at(17).RemoveComponent("Tick");
    Lua(R"(events.Call("LogicUpdate", 0.1))");
    EXPECT_EQ(Eval("Runs()"), "1 2 0 2");
    EXPECT_TRUE(Logged().empty()) << Logged().front();
}

// Levels and the inspector hold numbers and strings only: any other default
// is refused with one line, and the type keeps its other fields.
TEST_F(LuaTest, FieldsThatCannotBeSavedAreRefusedByName) {
    struct Row {
        const char* fields;
        std::string line;
    };
    const Row rows[] = {
        {"open = false", R"(Lua Error: component "Door" field "open" has a boolean default; )"
                         "fields hold numbers and strings, the field is left out"},
        {"hinges = { 1, 2 }", R"(Lua Error: component "Door" field "hinges" has a table default; )"
                              "fields hold numbers and strings, the field is left out"},
        {"[4] = 1", R"(Lua Error: component "Door" has a field named by a number (4); )"
                    "field names are strings, the field is left out"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fields);
        const size_t before = Logged().size();
        Lua(std::string("components.Register('Door', { fields = { slide = 3, label = 'oak', ") + row.fields + " } })");
        const std::vector<std::string> lines = Logged();
        ASSERT_EQ(lines.size(), before + 1);
        EXPECT_EQ(lines.back(), row.line);
        const engine::entity_handle door = engine::CreateEntity();
        door.AddComponent("Door", Json::Value());
        const Json::Value saved = Saved(door, "Door");
        EXPECT_EQ(saved.getMemberNames(), (std::vector<std::string>{"label", "slide"}));
        EXPECT_EQ(Eval(LuaEntity(door) + ":GetComponent('Door').open"), "nil");
    }
}

// A Lua component whose script cannot make it keeps what it was loaded
// with through saving and copying, and hands it on once a script can.
TEST_F(LuaTest, AComponentNoScriptCanMakeKeepsItsFieldsAsRead) {
    Lua("components.Register('Door', { fields = { slide = 3 } })");
    CreateLuaHost();  // the scripts again, now without the Door
    folder.WriteLevel("hall", R"({"entities": [{"name": "gate", "pos": {"x": 0, "y": 0, "z": 0},
        "components": [{"__component_name": "Door", "slide": 30, "open": true, "hinge": {"side": "left"}}]}]})");
    LoadLevel("hall");
    const engine::entity_handle gate = engine::GetAllEntities().at(0);
    const std::vector<std::string> lines = Logged();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Lua Error: component \"Door\" of entity \"gate\" (id " + std::to_string(gate.GetId()) +
                            ") in level \"hall\" cannot be made: unknown Lua component type \"Door\"; "
                            "the fields it was loaded with are kept as they were"),
              lines.end());

    ASSERT_TRUE(SaveLevel("hall", false));
    const Json::Value asRead = Parse(folder.ReadLevel("hall"))["entities"][0]["components"][0];
    EXPECT_EQ(asRead["slide"].asInt(), 30);
    EXPECT_TRUE(asRead["open"].asBool());
    EXPECT_EQ(asRead["hinge"]["side"].asString(), "left");

    const engine::entity_handle copy = engine::CreateEntity();
    copy.CopyFrom(gate);
    EXPECT_EQ(Saved(copy, "Door"), Saved(gate, "Door"));

    // Once a script defines the type again, a copy is made with the fields.
    Lua("components.Register('Door', { fields = { slide = 3 } })");
    const engine::entity_handle made = engine::CreateEntity();
    made.CopyFrom(gate);
    EXPECT_EQ(Eval(LuaEntity(made) + ":GetComponent('Door').slide"), "30");
    EXPECT_EQ(Saved(made, "Door").getMemberNames(), std::vector<std::string>{"slide"});
}

// A component's own Serialize or Deserialize that raises never costs the
// fields it was loaded with: the save holds what the component last held
// whole, with one line naming the component, its entity and its level.
TEST_F(LuaTest, ASerializerOrDeserializerThatRaisesKeepsTheFieldsWhole) {
    folder.WriteLevel("yard", R"({"entities": [{"name": "post",
        "components": [{"__component_name": "Tuning", "speed": 7.25, "tag": "oak"}]}]})");
    const Json::Value asRead = Parse(R"({"__component_name": "Tuning", "speed": 7.25, "tag": "oak"})");
    const std::string who = R"(Lua Error: component "Tuning" of entity "post" (id 1) in level "yard" )";
    struct Row {
        const char* what;
        const char* definition;
        // Lua run on the loaded instance ("tuning") before the two saves.
        const char* first;
        const char* second;
        Json::Value firstSaved, secondSaved;
        std::string line;
    };
    const Row rows[] = {
        {"a serialiser raising after its first field",
         R"(Serialize = function(self)
                C.lb_serialize_number("speed", self.speed)
                if self.fail then error("mistake", 0) end
                C.lb_serialize_string("tag", self.tag)
            end)",
         "tuning.speed = 9", "tuning.speed = 10 tuning.fail = true", Parse(R"({"speed": 9.0, "tag": "oak"})"),
         Parse(R"({"speed": 9.0, "tag": "oak"})"), who + "cannot be saved: mistake; what it last held whole is saved in its place"},
        {"a deserialiser raising after its first field",
         R"(Deserialize = function(self, data) self.speed = data.speed error("mistake", 0) end)", "tuning.speed = 9",
         "", asRead, asRead, who + "cannot read its fields: mistake; they are kept as they were loaded and saved unchanged"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Lua(std::string("local C = require('ffi').C\ncomponents.Register('Tuning', { fields = { speed = 1.5, tag = 'wood' }, ") +
            row.definition + " })");
        std::filesystem::remove(folder.SaveFolder() + "yard.json");
        const size_t before = Logged().size();
        LoadLevel("yard");
        const engine::entity_handle post = engine::GetAllEntities().at(0);
        Lua("tuning = " + LuaEntity(post) + ":GetComponent('Tuning')");
        Lua(row.first);
        EXPECT_EQ(Saved(post, "Tuning").toStyledString(), row.firstSaved.toStyledString());
        Lua(row.second);
        EXPECT_EQ(Saved(post, "Tuning").toStyledString(), row.secondSaved.toStyledString());
        ASSERT_TRUE(SaveLevel("yard", true));
        EXPECT_EQ(Parse(folder.ReadSaved("yard.json"))["entities"][0]["components"][0]["tag"].asString(), "oak");
        const std::vector<std::string> lines = Logged();
        ASSERT_GT(lines.size(), before);
        EXPECT_EQ(lines[before], row.line);
        EXPECT_EQ(std::count(lines.begin() + before, lines.end(), row.line), lines.end() - lines.begin() - before);
    }
    // Once a deserialiser succeeds, the kept fields reach it.
    Lua("components.Register('Tuning', { fields = { speed = 1.5, tag = 'wood' } })");
    LoadLevel("yard");
    EXPECT_EQ(Eval(LuaEntity(engine::GetAllEntities().at(0)) + ":GetComponent('Tuning').tag"), "oak");
}

// A component goes with its entity whatever its Remove does: its listeners
// stop, its instance is dropped, and the error is reported once.
TEST_F(LuaTest, AComponentWhoseRemoveRaisesIsStillRemoved) {
    Lua(R"(
runs = 0
components.Register("Stuck", {
    Initialize = function(self) self:Connect("LogicUpdate", function() runs = runs + 1 end) end,
    Remove = function(self) error("mistake", 0) end,
}))");
    for (const bool wholeEntity : {false, true}) {
        SCOPED_TRACE(wholeEntity ? "entity destroyed" : "component removed");
        const engine::entity_handle stuck = engine::CreateEntity();
        stuck.AddComponent("Stuck", Json::Value());
        const std::string instances = "components.instances.Stuck[" + std::to_string(stuck.GetId()) + "]";
        ASSERT_EQ(Eval(instances + " ~= nil"), "true");
        const size_t before = Logged().size();
        if (wholeEntity) {
            engine::DestroyEntity(stuck, true);
        } else {
            stuck.RemoveComponent("Stuck");
        }
        Lua("runs = 0 events.Call('LogicUpdate', 0.1)");
        EXPECT_EQ(Eval("runs"), "0");
        EXPECT_EQ(Eval(instances), "nil");
        ASSERT_EQ(Logged().size(), before + 1);
        EXPECT_EQ(Logged().back(), "mistake");
    }
}

// Coroutines that resume new coroutines without end stop with an error the
// script can catch; afterwards coroutines nest and yield as before.
TEST_F(LuaTest, CoroutinesNestedWithoutEndEndInACatchableError) {
    const char* nesting[] = {
        "local function f() coroutine.wrap(f)() end ok, message = pcall(f)",
        R"(local function f()
               local done, problem = coroutine.resume(coroutine.create(f))
               if not done then error(problem, 0) end
           end
           ok, message = pcall(f))",
    };
    for (const char* code : nesting) {
        SCOPED_TRACE(code);
        Lua(code);
        EXPECT_EQ(Eval("ok"), "false");
        EXPECT_EQ(Eval("message"), "coroutines nested more than 200 deep");
        EXPECT_EQ(Eval(R"((function()
            local function nest(n) if n == 0 then return 0 end return coroutine.wrap(nest)(n - 1) + 1 end
            local next, sum = coroutine.wrap(function() for i = 1, 500 do coroutine.yield(i) end end), 0
            for _ = 1, 500 do sum = sum + next() end
            return nest(150) .. " " .. sum
        end)())"),
                  "150 125250");
    }
}

}  // namespace
