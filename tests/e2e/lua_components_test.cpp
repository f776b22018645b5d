// Lua components: the order of the engine's calls, the data they carry in
// and the JSON they are saved as.
#include <filesystem>
#include <stdexcept>

#include "tests/e2e/lua_game.h"

namespace {

const char* kLevel = R"({"entities": [{"name": "probe", "pos": {"x": 1, "y": 2, "z": 0},
    "components": [{"__component_name": "Probe", "count": 5, "label": "x", "flag": true, "list": [1]},
                   {"__component_name": "Quiet"}]},
    {"name": "spawner", "pos": {"x": 0, "y": 0, "z": 0}, "components": [{"__component_name": "Spawner"}]}]})";

// Logs every call the engine makes for a Probe, then defines Probe and a
// type whose serialiser writes nothing.
const char* kComponents = R"(
for _, name in ipairs({ "lb_AddComponent", "lb_DeserializeComponent", "lb_InitializeComponent",
                        "lb_SerializeComponent", "lb_RemoveComponent", "lb_CopyComponent" }) do
    local original = _G[name]
    _G[name] = function(entity, typeName, ...)
        if typeName == "Probe" then C.lb_print(name .. " " .. entity.id) end
        return original(entity, typeName, ...)
    end
end
components.Register("Probe", {
    fields = { count = 0, label = "" },
    Deserialize = function(self, data)
        local members = {}
        for key, value in pairs(data) do members[#members + 1] = key .. "=" .. tostring(value) end
        table.sort(members)
        C.lb_print("data " .. table.concat(members, " "))
        self.count = data.count
        self.label = data.label
    end,
})
components.Register("Quiet", { Serialize = function() end })
-- Saving this one grows the entity table under the level writer's feet.
components.Register("Spawner", {
    Serialize = function()
        for _ = 1, 200 do Entity.Create() end
        C.lb_serialize_number("made", 200)
    end,
})
)";

const char* kDriver = R"(
local loads = 0
events.Connect("LevelLoad", "test", function()
    loads = loads + 1
    if loads == 1 then
        local added = Entity.Create()
        added:AddComponent("Probe")
        added:GetComponent("Probe").count = 9
        C.lb_engine_save_on_unload(true)
        C.lb_engine_change_level("korvel_splash")
    else
        C.lb_engine_quit_game()
    end
end)
)";

TEST_F(LuaGame, LuaComponentsAreCalledInOrderAndSavedWithTheirData) {
    Level("korvel_splash", kLevel);
    Script("components/probe.lua", kComponents);
    Script("autorun/driver.lua", kDriver);
    const std::string output = RunToEnd();
    EXPECT_TRUE(LinesInOrder(output, {
        // From the level file: its data (strings and numbers only) comes in
        // between adding and initialising.
        "lb_AddComponent 1",
        "lb_DeserializeComponent 1",
        "data __component_name=Probe count=5 label=x",
        "lb_InitializeComponent 1",
        // Added from Lua: no data.
        "lb_AddComponent 3",
        "lb_InitializeComponent 3",
        // Saved on the way out, then removed with their entities.
        "lb_SerializeComponent 1",
        "lb_SerializeComponent 3",
        "lb_RemoveComponent 1",
        "lb_RemoveComponent 3",
        // The saved copy comes back.
        "lb_AddComponent 1",
        "data __component_name=Probe count=5 label=x",
        "lb_AddComponent 3",
        "data __component_name=Probe count=9 label=",
    }));
    // The entities made while saving are not in the level.
    const Json::Value entities = ReadJson(SaveFolder() + "korvel_splash.json")["entities"];
    ASSERT_EQ(entities.size(), 3u);
    Json::Value probe(Json::objectValue);
    probe["__component_name"] = "Probe";
    probe["count"] = 5.0;
    probe["label"] = "x";
    Json::Value quiet(Json::objectValue);
    quiet["__component_name"] = "Quiet";
    const Json::Value& saved = entities[0]["components"];
    ASSERT_EQ(saved.size(), 2u);
    // Ordered by type id: Probe was registered first.
    EXPECT_EQ(saved[0], probe);
    EXPECT_EQ(saved[1], quiet);
    EXPECT_EQ(entities[1]["components"][0]["made"].asDouble(), 200.0);
    EXPECT_EQ(entities[2]["components"][0]["count"].asDouble(), 9.0);
}


// The shipped first level carries the shipped Lua component: its crest
// floats once the game runs unpaused.
TEST_F(LuaGame, TheShippedSplashLevelFloatsItsCrest) {
    const std::filesystem::path data = std::filesystem::path(QM_SOURCE_DIR) / "data";
    std::filesystem::copy_file(data / "levels" / "korvel_splash.json", game.game.path() / "levels" / "korvel_splash.json",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::create_directories(game.game.path() / "lua" / "components");
    std::filesystem::copy(data / "lua" / "components", game.game.path() / "lua" / "components");
    Script("autorun/watch.lua", R"(
events.Connect("LogicUpdate", "watch", function()
    local _, crest = next(components.instances.Bobbing)
    if not crest then return end
    C.lb_print("ready")
    if math.abs(crest.entity:GetPos().y - 24) > 0.5 then
        C.lb_print("the crest floats")
        C.lb_engine_quit_game()
    end
end)
)");
    game.Start();
    ASSERT_TRUE(WaitFor(20, [this] { return HasLine(game.Stdout(), "ready"); })) << game.Stdout();
    // Unpaused by focus; on a loaded machine the first frame's time alone may
    // float the crest, and the game has ended before its window is looked for.
    try {
        game.FocusWindow();
    } catch (const std::runtime_error&) {
        ASSERT_FALSE(game.Running()) << "the window is missing while the game runs";
    }
    EXPECT_EQ(game.WaitForExit(30), 0) << game.Stdout();
    EXPECT_TRUE(HasLine(game.Stdout(), "the crest floats"));
}

}  // namespace
