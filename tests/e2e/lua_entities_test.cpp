// Entities from Lua: their life cycle, and what a stale entity or a wrong
// name does (one line each, and the game goes on).
#include "tests/e2e/lua_game.h"

namespace {

const char* kLifeCycle = R"(
components.Register("Tag", { fields = { note = "" } })
local function Show(label, value) C.lb_print(label .. " " .. tostring(value)) end
local gone
local frames = 0
events.Connect("LevelLoad", "test", function()
    local entity = Entity.Create()
    entity:SetPos(3, 4)
    entity:SetZ(0.5)
    Show("position", entity:GetPos())
    Show("has before", entity:HasComponent("Tag"))
    entity:AddComponent("Tag")
    Show("has after", entity:HasComponent("Tag"))
    entity:RemoveComponent("Tag")
    Show("has removed", entity:HasComponent("Tag"))
    Show("unknown type", entity:HasComponent("Nothing"))
    C.lb_entity_add_component(entity.index, entity.id, nil)
    entity:Destroy()
    entity:Destroy()
    Show("queued, still there", entity:GetPos())
    gone = entity
end)
events.Connect("LogicUpdate", "test", function()
    frames = frames + 1
    if frames ~= 2 then return end
    Show("stale position", gone:GetPos())
    gone:SetPos(1, 1)
    gone:Destroy()
    Show("stale has", gone:HasComponent("Tag"))
    local other = Entity.Create()
    Show("slot reused", other.index == gone.index and other.id ~= gone.id)
    Show("stale again", gone:GetPos())
    C.lb_connect_events()
    C.lb_print("still running")
    C.lb_engine_quit_game()
end)
)";

TEST_F(LuaGame, EntitiesLiveAndDieAndAStaleEntityOnlyLogs) {
    Script("autorun/life.lua", kLifeCycle);
    const std::string output = RunToEnd();
    const std::string stale = "entity_handle::GetBaseEntity: attempted to get wrong/dead ent!";
    EXPECT_TRUE(LinesInOrder(output, {
        "position (3, 4)",
        "has before false",
        "has after true",
        "has removed false",
        "components::GetID failed to map component string!",
        "unknown type false",
        // A nil type name reads as "".
        "components::Create failed to map component string!",
        "queued, still there (3, 4)",
        stale,
        "stale position (0, 0)",
        stale,
        stale,
        "stale has false",
        "slot reused true",
        stale,
        "stale again (0, 0)",
        "Event ID \"LuaBindingPreLogicUpdate\" already existed.",
        "still running",
    }));
}

}  // namespace
