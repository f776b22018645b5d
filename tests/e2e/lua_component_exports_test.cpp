// Every component export called from Lua by the real game: on an entity
// without the component each logs its own line (or none) and gives its
// neutral result; on an entity with the components the values cross the
// foreign-function boundary intact.
#include <sstream>

#include "tests/e2e/lua_game.h"

namespace {

struct Call {
    const char* name;
    const char* arguments;  // after the entity
    const char* line;       // logged before the result; none when empty
    const char* result;     // as tostring shows it
};

const Call kCalls[] = {
    {"lb_sprite_get_clamped", "", "Lua Error: Attempted to get clamping on component with no sprite", "false"},
    {"lb_sprite_get_current_frame", "", "Lua Error: Attempted to get frame on component with no sprite", "-1"},
    {"lb_sprite_get_elapsed_time", "", "Lua Error: Attempted to get elapsed time on component with no sprite", "-1"},
    {"lb_sprite_get_environmental", "", "Lua Error: Attempted to get environmental on component with no sprite",
     "false"},
    {"lb_sprite_get_frame_time", "", "Lua Error: Attempted to get frame time on component with no sprite", "-1"},
    {"lb_sprite_get_looping", "", "Lua Error: Attempted to get looping on component with no sprite", "false"},
    {"lb_sprite_set_clamped", ", true", "Lua Error: Attempted to set clamping on component with no sprite", "nil"},
    {"lb_sprite_set_current_frame", ", 2", "Lua Error: Attempted to set frame on component with no sprite", "nil"},
    {"lb_sprite_set_elapsed_time", ", 0.5", "Lua Error: Attempted to set elapsed time on component with no sprite",
     "nil"},
    {"lb_sprite_set_environmental", ", false",
     "Lua Error: Attempted to set environmental on component with no sprite", "nil"},
    {"lb_sprite_set_frame_time", ", 0.1", "Lua Error: Attempted to set frame time on component with no sprite",
     "nil"},
    {"lb_sprite_set_looping", ", false", "Lua Error: Attempted to set looping on component with no sprite", "nil"},
    {"lb_sprite_set_num_columns", ", 2", "Lua Error: Attempted to set num columns on component with no sprite",
     "nil"},
    {"lb_sprite_set_num_frames", ", 3", "Lua Error: Attempted to set num frames on component with no sprite", "nil"},
    {"lb_sprite_set_num_rows", ", 2", "Lua Error: Attempted to set num rows on component with no sprite", "nil"},
    {"lb_sprite_set_texture", ", 'debug'", "Lua Error: Attempted to set texture on component with no sprite", "nil"},
    {"lb_sprite_set_tint", ", 1, 0, 0, 1", "Lua Error: Attempted to set tint on component with no sprite", "nil"},
    {"lb_sprite_set_y_offset", ", 3", "Lua Error: Attempted to set y offset on component with no sprite", "nil"},
    {"lb_point_light_get_pos", "", "Lua Error: Attempted to get position on component with no point light",
     "(0, 0)"},
    {"lb_point_light_get_radius", "", "Lua Error: Attempted to get radius on component with no point light", "0"},
    {"lb_point_light_set_ambient_intensity", ", 0.5",
     "Lua Error: Attempted to set ambient intensity on component with no point light", "nil"},
    {"lb_point_light_set_attenuation", ", 1, 2, 3",
     "Lua Error: Attempted to set attenuation on component with no point light", "nil"},
    {"lb_point_light_set_color", ", 1, 1, 1", "Lua Error: Attempted to set color on component with no point light",
     "nil"},
    {"lb_point_light_set_diffuse_intensity", ", 2",
     "Lua Error: Attempted to set diffuse intensity on component with no point light", "nil"},
    {"lb_point_light_set_offset", ", 1, 2", "Lua Error: Attempted to set offset on component with no point light",
     "nil"},
    {"lb_point_light_set_radius", ", 5", "Lua Error: Attempted to set radius on component with no point light",
     "nil"},
    {"lb_moon_light_get_pos", "", "Lua Error: Attempted to get position on component with no moon light", "(0, 0)"},
    {"lb_moon_light_set_color", ", 1, 1, 1", "", "nil"},
    {"lb_moon_light_set_falloff", ", 2", "", "nil"},
    {"lb_moon_light_set_inner_radius", ", 2",
     "Lua Error: Attempted to set inner radius on component with no moon light", "nil"},
    {"lb_moon_light_set_intensity", ", 2", "Lua Error: Attempted to set intensity on component with no moon light",
     "nil"},
    {"lb_moon_light_set_offset", ", 1, 2", "Lua Error: Attempted to set offset on component with no moon light",
     "nil"},
    {"lb_moon_light_set_outer_radius", ", 2", "", "nil"},
    {"lb_shadow_caster_get_pos", "", "Lua Error: Attempted to get position on component with no shadow caster",
     "(0, 0)"},
    {"lb_shadow_caster_set_height", ", 2", "Lua Error: Attempted to set height on component with no shadow caster",
     "nil"},
    {"lb_shadow_caster_set_offset", ", 1, 2",
     "Lua Error: Attempted to set offset on component with no shadow caster", "nil"},
    {"lb_shadow_caster_set_width", ", 2", "Lua Error: Attempted to set width on component with no shadow caster",
     "nil"},
    {"lb_collider_box_get_ghost", "", "Lua Error: Attempted to get ghost on entity with no box collider", "false"},
    {"lb_collider_box_get_static", "", "Lua Error: Attempted to get static on entity with no box collider", "false"},
    {"lb_collider_box_set_center", ", 1, 2", "Lua Error: Attempted to set center on entity with no box collider",
     "nil"},
    {"lb_collider_box_set_ghost", ", true", "Lua Error: Attempted to set ghost on entity with no box collider",
     "nil"},
    {"lb_collider_box_set_height", ", 5", "Lua Error: Attempted to set height on entity with no box collider",
     "nil"},
    {"lb_collider_box_set_static", ", true", "Lua Error: Attempted to set static on entity with no box collider",
     "nil"},
    {"lb_collider_box_set_width", ", 5", "Lua Error: Attempted to set width on entity with no box collider", "nil"},
    {"lb_collider_circle_get_ghost", "", "Lua Error: Attempted to get ghost on entity with no circle collider",
     "false"},
    {"lb_collider_circle_get_static", "", "Lua Error: Attempted to get static on entity with no circle collider",
     "false"},
    {"lb_collider_circle_set_center", ", 1, 2",
     "Lua Error: Attempted to set center on entity with no circle collider", "nil"},
    {"lb_collider_circle_set_ghost", ", true", "Lua Error: Attempted to set ghost on entity with no circle collider",
     "nil"},
    {"lb_collider_circle_set_radius", ", 5", "Lua Error: Attempted to set radius on entity with no circle collider",
     "nil"},
    {"lb_collider_circle_set_static", ", true",
     "Lua Error: Attempted to set static on entity with no circle collider", "nil"},
    {"lb_rigidbody_get_velocity", "", "Lua Error: Attempted to access velocity on component with no rigidbody",
     "(0, 0)"},
    {"lb_rigidbody_set_velocity", ", 1, 2", "Lua Error: Attempted to set velocity on component with no rigidbody",
     "nil"},
};

// Calls every export on a bare entity between two marker lines, then reads
// values back from an entity that holds the components, and ends the game.
std::string Probe() {
    std::ostringstream lua;
    lua << R"lua(
local function Show(name, value)
    if type(value) == "cdata" then value = "(" .. value.x .. ", " .. value.y .. ")" end
    C.lb_print(name .. " -> " .. tostring(value))
end
events.Connect("LevelLoad", "probe", function()
    local bare = Entity.Create()
    local i, d = bare.index, bare.id
    C.lb_print("bare begin")
)lua";
    for (const Call& call : kCalls)
        lua << "    Show('" << call.name << "', C." << call.name << "(i, d" << call.arguments << "))\n";
    lua << R"lua(
    C.lb_print("bare end")
    local full = Entity.Create()
    full:SetPos(3, 4)
    for _, kind in ipairs({ "Sprite", "PointLight", "MoonLight", "ShadowCaster", "BoxCollider", "CircleCollider",
                            "RigidBody" }) do
        full:AddComponent(kind)
    end
    i, d = full.index, full.id
    C.lb_sprite_set_num_frames(i, d, 4)
    C.lb_sprite_set_current_frame(i, d, -1)
    Show("frame", C.lb_sprite_get_current_frame(i, d))
    C.lb_sprite_set_frame_time(i, d, 0.25)
    Show("frame time", C.lb_sprite_get_frame_time(i, d))
    C.lb_sprite_set_looping(i, d, false)
    Show("looping", C.lb_sprite_get_looping(i, d))
    C.lb_point_light_set_offset(i, d, 1, 2)
    C.lb_point_light_set_radius(i, d, 40)
    Show("point light", C.lb_point_light_get_pos(i, d))
    Show("radius", C.lb_point_light_get_radius(i, d))
    C.lb_moon_light_set_offset(i, d, -1, -2)
    Show("moon light", C.lb_moon_light_get_pos(i, d))
    C.lb_shadow_caster_set_offset(i, d, 0.5, 0)
    Show("caster", C.lb_shadow_caster_get_pos(i, d))
    C.lb_collider_box_set_static(i, d, true)
    Show("box static", C.lb_collider_box_get_static(i, d))
    C.lb_collider_circle_set_ghost(i, d, true)
    Show("circle ghost", C.lb_collider_circle_get_ghost(i, d))
    C.lb_rigidbody_set_velocity(i, d, -7, 8.5)
    Show("velocity", C.lb_rigidbody_get_velocity(i, d))
    C.lb_print("full end")
    C.lb_engine_quit_game()
end)
)lua";
    return lua.str();
}

// The lines from the one that equals first up to and including last.
std::vector<std::string> Between(const std::string& output, const std::string& first, const std::string& last) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        inside = inside || line == first;
        if (inside) lines.push_back(line);
        if (inside && line == last) break;
    }
    return lines;
}

TEST_F(LuaGame, EveryComponentExportOnAnEntityWithoutTheComponentLogsItsLineAndGivesItsNeutralResult) {
    Script("autorun/probe.lua", Probe());
    const std::string output = RunToEnd();

    std::vector<std::string> bare{"bare begin"};
    for (const Call& call : kCalls) {
        if (*call.line) bare.push_back(call.line);
        bare.push_back(std::string(call.name) + " -> " + call.result);
    }
    bare.push_back("bare end");
    EXPECT_EQ(Between(output, "bare begin", "bare end"), bare) << output;

    EXPECT_EQ(Between(output, "frame -> 0", "full end"), (std::vector<std::string>{
                                                             "frame -> 0",  // 4294967295 mod 5
                                                             "frame time -> 0.25",
                                                             "looping -> false",
                                                             "point light -> (4, 6)",
                                                             "radius -> 40",
                                                             "moon light -> (2, 2)",
                                                             "caster -> (3.5, 4)",
                                                             "box static -> true",
                                                             "circle ghost -> true",
                                                             "velocity -> (-7, 8.5)",
                                                             "full end",
                                                         }))
        << output;
}

}  // namespace
