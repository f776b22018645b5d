// One frame's update of 300 Lua components, each reading its entity's
// position and its rigid body's velocity and setting both through the
// exports, as the game runs it (LuaJIT's interpreter) beside the same
// update with LuaJIT's compiler on. Needs a display.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include <lua.hpp>
#include <luajit.h>

#include "core/engine/engine.h"
#include "scripting/lua_host.h"
#include "tests/engine/game_folder.h"

namespace {

const char* kMovers = R"(
local C = require("ffi").C
components.Register("Mover", {
    fields = { gravity = -9.8, friction = 0.5 },
    Initialize = function(self)
        local e = self.entity
        self:Connect("LogicUpdate", function(self, dt)
            local position = e:GetPos()
            local v = C.lb_rigidbody_get_velocity(e.index, e.id)
            local keep = 1 - self.friction * dt
            local x, y = v.x * keep, (v.y + self.gravity * dt) * keep
            if position.y < -100 then y = -y end
            C.lb_rigidbody_set_velocity(e.index, e.id, x, y)
            e:SetPos(position.x + x * dt, position.y + y * dt)
        end)
    end,
})
for i = 1, 300 do
    local e = Entity.Create()
    e:SetPos(i % 20 * 10, math.floor(i / 20) * 10)
    e:AddComponent("RigidBody")
    e:AddComponent("Mover")
end
)";

// One engine for the whole program, in a temporary game folder and HOME.
struct World {
    World() {
        folder.WriteLevel("korvel_splash", kSmallLevel);
        g_engine = new Engine();
        lua_State* L = GetLuaState();
        if (luaL_dostring(L, kMovers) != 0) throw std::runtime_error(lua_tostring(L, -1));
    }

    GameFolder folder;
};

// What the bridge does with "LogicUpdate": events.Call(name, dt).
void Update(lua_State* L) {
    lua_getfield(L, LUA_GLOBALSINDEX, "events");
    lua_getfield(L, -1, "Call");
    lua_remove(L, -2);
    lua_pushstring(L, "LogicUpdate");
    lua_pushnumber(L, 1.0 / 60.0);
    if (lua_pcall(L, 2, 0, 0) != 0) throw std::runtime_error(lua_tostring(L, -1));
}

void Measure(benchmark::State& state, int compilerMode) {
    static World world;
    lua_State* L = GetLuaState();
    luaJIT_setmode(L, 0, LUAJIT_MODE_ENGINE | LUAJIT_MODE_FLUSH);
    luaJIT_setmode(L, 0, LUAJIT_MODE_ENGINE | compilerMode);
    for (auto _ : state) Update(L);
    state.SetItemsProcessed(state.iterations() * 300);
}

void BM_Update300LuaComponents(benchmark::State& state) { Measure(state, LUAJIT_MODE_OFF); }
BENCHMARK(BM_Update300LuaComponents)->Unit(benchmark::kMicrosecond);

void BM_Update300LuaComponents_Reference(benchmark::State& state) { Measure(state, LUAJIT_MODE_ON); }
BENCHMARK(BM_Update300LuaComponents_Reference)->Unit(benchmark::kMicrosecond);

}  // namespace
