// Calls from the engine into Lua: what a failing call leaves behind.
#include <lua.hpp>

#include "core/events/events.h"
#include "physics/collision_detection.h"
#include "scripting/lua_host.h"
#include "tests/scripting/lua_fixture.h"

namespace {

size_t Count(const std::vector<std::string>& lines, const std::string& part) {
    size_t count = 0;
    for (const std::string& line : lines) count += line.find(part) != std::string::npos;
    return count;
}

// A collision reaches Lua as five values after the name; when entities and
// vectors cannot be made, nil keeps each one's place.
TEST_F(LuaTest, AFailedEntityOrVectorPushLeavesNilInItsPlace) {
    Lua(R"(
lb_CreateEntity = function() error("no entities here") end
lb_CreateVector = function() error({}) end
events.Connect("OnCollisionStarted", "probe", function(...) got = { n = select("#", ...), ... } end)
)");
    CollisionDetection::CollisionDataObj record;
    record.separation = -2.5f;
    const int top = lua_gettop(GetLuaState());
    events::Call<CollisionDetection::CollisionDataObj>("OnCollisionStarted", record);
    EXPECT_EQ(lua_gettop(GetLuaState()), top) << "every error is popped";
    EXPECT_EQ(Eval("got.n"), "5");
    for (const char* position : {"got[1]", "got[2]", "got[3]", "got[5]"}) EXPECT_EQ(Eval(position), "nil") << position;
    EXPECT_EQ(Eval("got[4]"), "-2.5");
    // Error objects that are not text are named by their type.
    EXPECT_EQ(Count(Logged(), "no entities here"), 2u);
    EXPECT_EQ(Count(Logged(), "(error object is a table value)"), 2u);
}

TEST_F(LuaTest, AMissingDispatcherIsReportedAndTheEngineGoesOn) {
    Lua("events = nil");
    events::Call<float>("LogicUpdate", 0.5f);
    Lua("events = { Call = 'not a function' }");
    events::Call<float>("LogicUpdate", 0.5f);
    const std::vector<std::string> logged = Logged();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "attempt to call a nil value");
    EXPECT_EQ(logged[1], "attempt to call a string value");
}

// A component that adds itself to new entities from its Initialize, twice
// over, would recurse through the engine until the C stack ran out. The
// chain is cut 200 calls deep with one line, and nothing branches out while
// it winds down; the next call into Lua goes through again.
TEST_F(LuaTest, ARunawayChainOfNestedCallsIsCutWithOneLine) {
    Lua(R"(
made = 0
components.Register("Spawner", { Initialize = function()
    made = made + 1
    Entity.Create():AddComponent("Spawner")
    Entity.Create():AddComponent("Spawner")
end })
events.Connect("LogicUpdate", "probe", function(dt) updated = dt end)
)");
    for (int chain = 1; chain <= 2; ++chain) {
        Lua("made = 0 Entity.Create():AddComponent('Spawner')");
        EXPECT_EQ(Eval("made"), "200");
        ASSERT_EQ(Logged().size(), static_cast<size_t>(chain));
        EXPECT_EQ(Logged().back(), "Lua Error: calls into Lua nested more than 200 deep; the innermost was not made");
    }
    events::Call<float>("LogicUpdate", 0.25f);
    EXPECT_EQ(Eval("updated"), "0.25");
}

}  // namespace
