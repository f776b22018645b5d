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
        {"ListenerRaisingItsEventThroughCoroutines",
         [](HostileRun& run) { run.game.game.Write("lua/autorun/ping.lua", kListenerRaisingItsEvent); },
         "coroutines nested more than 200 deep", "", false},
    };
}
