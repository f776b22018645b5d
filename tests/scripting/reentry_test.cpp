// Exports that call back into Lua, called straight through ffi.C from loops
// long enough for LuaJIT to compile, re-entering on every other iteration.
// The Lua side must see every call, and the state must survive.
#include <lua.hpp>

#include "core/engine/engine.h"
#include "core/pause/pause_menu.h"
#include "scripting/lua_host.h"
#include "tests/scripting/lua_fixture.h"

namespace {

constexpr int kLoops = 3000;

const char* kProbes = R"(
C = require("ffi").C
seen = { initialized = 0, removed = 0, unpaused = 0, registered = 0 }
components.Register("Counter", {
    Initialize = function() seen.initialized = seen.initialized + 1 end,
    Remove = function() seen.removed = seen.removed + 1 end,
})
events.Connect("PauseMenuUnPaused", "probe", function() seen.unpaused = seen.unpaused + 1 end)
if not registerProbed then
    registerProbed = true
    local register = events.Register
    events.Register = function(name)
        if name == "PreLogicUpdate" then seen.registered = seen.registered + 1 end
        register(name)
    end
end
N = 3000
entities = {}
for i = 1, N do entities[i] = C.lb_create_entity() end
-- Odd entities hold a Counter: adding to or removing from all of them
-- re-enters Lua on every other call.
for i = 1, N, 2 do C.lb_entity_add_component(entities[i].index, entities[i].id, "Counter") end
)";

int PauseMenuPause(lua_State*) {
    PauseMenu::Pause();
    return 0;
}

// Stands for the frame loop carrying out the change a restart asked for, so
// that the next restart is not ignored as a second change.
int ChangeDone(lua_State*) {
    Engine::SetLevel(Engine::GetCurrentLevelName(), true);
    g_engine->reloadLevel = false;
    return 0;
}

struct Loop {
    const char* name;
    const char* body;      // runs for i = 1, N with e = entities[i]
    const char* counter;   // what Lua saw
    int expected;
};

TEST_F(LuaTest, ExportsThatRunLuaSurviveHotLoopsAndEveryCallReachesLua) {
    const Loop loops[] = {
        {"add component", R"(C.lb_entity_add_component(e.index, e.id, "Counter"))", "seen.initialized", kLoops},
        {"remove component", R"(C.lb_entity_remove_component(e.index, e.id, "Counter"))", "seen.removed",
         kLoops / 2},
        {"unpause", "if i % 2 == 0 then pause_menu_pause() end C.lb_pause_menu_unpause()", "seen.unpaused",
         kLoops / 2},
        {"restart",
         R"(if i % 2 == 0 then pause_menu_pause() end change_done() C.lb_engine_load_level_restart("korvel_splash"))",
         "seen.unpaused", kLoops / 2},
        // Every call after the first registers again, then fails to connect.
        {"connect events", "if i % 2 == 0 then C.lb_connect_events() else C.lb_engine_is_paused() end",
         "seen.registered", kLoops / 2},
    };
    for (const Loop& loop : loops) {
        SCOPED_TRACE(loop.name);
        Lua(kProbes);
        lua_register(GetLuaState(), "pause_menu_pause", PauseMenuPause);
        lua_register(GetLuaState(), "change_done", ChangeDone);
        Lua(std::string("for i = 1, N do local e = entities[i] ") + loop.body + " end");
        EXPECT_EQ(Eval(loop.counter), std::to_string(loop.expected));
        Lua("for i = 1, N do C.lb_destroy_entity(entities[i].index, entities[i].id) end");
    }
    EXPECT_EQ(Eval("jit.status()"), "false");
}

// A script cannot turn the compiler back on, in this state or the next.
TEST_F(LuaTest, ScriptsStayInTheInterpreter) {
    Lua("jit.on()");
    EXPECT_EQ(Eval("jit.status()"), "false");
    CreateLuaHost();
    EXPECT_EQ(Eval("jit.status()"), "false");
    EXPECT_EQ(Eval("require('jit').status()"), "false");
}

}  // namespace
