// Collision events reach Lua as (name, A, B, contact point, separation,
// direction).
#include "tests/e2e/lua_game.h"

namespace {

// Two circles of radius 10, 15 units apart: 5 units of overlap.
const char* kLevel = R"({"entities": [
    {"name": "a", "pos": {"x": 0, "y": 0, "z": 0},
     "components": [{"__component_name": "CircleCollider", "Circle Radius": 10}]},
    {"name": "b", "pos": {"x": 15, "y": 0, "z": 0},
     "components": [{"__component_name": "CircleCollider", "Circle Radius": 10}]}]})";

// A zoom of 0 leaves nothing outside the view, so no pair is culled.
const char* kProbe = R"lua(
C.lb_camera_set_scale(0)
local seen = {}
local function Show(name, a, b, point, separation, direction)
    C.lb_print(string.format("%s %d %d (%.2f, %.2f) %.2f (%.2f, %.2f)", name, a.id, b.id,
        point.x, point.y, separation, direction.x, direction.y))
end
for _, name in ipairs({ "OnCollisionStarted", "OnCollisionPersisted", "OnCollisionEnded" }) do
    events.Connect(name, "probe", function(a, b, point, separation, direction)
        if seen[name] then return end
        seen[name] = true
        Show(name, a, b, point, separation, direction)
        -- Apart once the pair has persisted; over once it has ended.
        if name == "OnCollisionPersisted" then b:SetPos(100, 0) end
        if name == "OnCollisionEnded" then C.lb_engine_quit_game() end
    end)
end
)lua";

TEST_F(LuaGame, CollisionsReachLuaWithBothEntitiesThePointTheSeparationAndTheDirection) {
    Level("korvel_splash", kLevel);
    Script("autorun/collisions.lua", kProbe);
    const std::string output = RunToEnd();
    EXPECT_TRUE(LinesInOrder(output, {
        "OnCollisionStarted 1 2 (7.50, 0.00) -5.00 (15.00, 0.00)",
        "OnCollisionPersisted 1 2 (7.50, 0.00) -5.00 (15.00, 0.00)",
        "OnCollisionEnded 1 2 (0.00, 0.00) 0.00 (0.00, 0.00)",
    }));
}

}  // namespace
