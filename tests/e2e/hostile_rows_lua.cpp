// Lua files that a modder, a careless designer or a damaged disk could produce.
#include "tests/e2e/hostile_files.h"

#include <stdexcept>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// A component that adds itself to a new entity from its own Initialize,
// started once the game runs.
const char* kRunawaySpawner = R"(
components.Register("Spawner", { Initialize = function() Entity.Create():AddComponent("Spawner") end })
events.Connect("LogicUpdate", "spawn", function()
    if spawned then return end
    spawned = true
    Entity.Create():AddComponent("Spawner")
end)
)";

// Static boxes that a script then moves to 0/0 and to infinity, or makes
// 0/0 wide, a few frames in.
const char* kBoxesAtNotANumber = R"(local C = require('ffi').C
local frames = 0
events.Connect("LogicUpdate", "NotANumber", function()
    frames = frames + 1
    if frames ~= 5 then return end
    for i = 1, 3 do
        local box = C.lb_create_entity()
        C.lb_entity_add_component(box.index, box.id, "BoxCollider")
        C.lb_collider_box_set_static(box.index, box.id, true)
        if i == 1 then C.lb_entity_set_pos(box.index, box.id, 0/0, 0/0) end
        if i == 2 then C.lb_collider_box_set_width(box.index, box.id, 0/0) end
        if i == 3 then C.lb_entity_set_pos(box.index, box.id, 1/0, -1/0) end
    end
    C.lb_print("static boxes made at not-a-number")
end)
)";

// Coroutines that resume new ones without end: a listener that raises its
// own event from inside a coroutine.
const char* kListenerRaisingItsEvent = R"(
events.Connect("Ping", "ping", function() coroutine.wrap(function() events.Call("Ping") end)() end)
events.Connect("LogicUpdate", "pinger", function()
    if pinged then return end
    pinged = true
    events.Call("Ping")
end)
)";

}  // namespace

std::vector<HostileRow> LuaRows() {
    return {
        {"FifoInAutorun",
         [](HostileRun& run) {
             const fs::path fifo = run.game.game.path() / "lua" / "autorun" / "stuck.lua";
             if (mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("mkfifo " + fifo.string());
         },
         "cannot open lua/autorun/stuck.lua: not a plain file", "", false},
        {"DevZeroInComponents",
         [](HostileRun& run) {
             fs::create_directories(run.game.game.path() / "lua" / "components");
             fs::create_symlink("/dev/zero", run.game.game.path() / "lua" / "components" / "zero.lua");
         },
         "cannot open lua/components/zero.lua: not a plain file", "", false},
        {"ComponentRecursingWithoutEnd",
         [](HostileRun& run) { run.game.game.Write("lua/components/spawner.lua", kRunawaySpawner); },
         "Lua Error: calls into Lua nested more than 200 deep", "", false},
        {"StaticBoxesAtNotANumber",
         [](HostileRun& run) { run.game.game.Write("lua/autorun/not_a_number.lua", kBoxesAtNotANumber); },
         "static boxes made at not-a-number", "", false},
        {"ListenerRaisingItsEventThroughCoroutines",
         [](HostileRun& run) { run.game.game.Write("lua/autorun/ping.lua", kListenerRaisingItsEvent); },
         "coroutines nested more than 200 deep", "", false},
    };
}
