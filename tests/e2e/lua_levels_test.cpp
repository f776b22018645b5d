// Level changes driven from Lua: saving on unload, two changes in one frame,
// going back to the saved level and restarting afresh.
#include <algorithm>
#include <filesystem>

#include "tests/e2e/lua_game.h"

namespace {

// Each level holds one marker that counts, in its saved data, how often its
// level was entered.
std::string MarkedLevel(const std::string& name, int visits = 0) {
    return R"({"entities": [{"name": "marker", "pos": {"x": 0, "y": 0, "z": 0},
        "components": [{"__component_name": "Marker", "level": ")" +
           name + R"(", "visits": )" + std::to_string(visits) + "}]}]}";
}

const char* kMarker = R"(
components.Register("Marker", {
    fields = { level = "", visits = 0 },
    Initialize = function(self)
        self.visits = self.visits + 1
        C.lb_print("in " .. self.level .. " visit " .. self.visits)
        if Entered then Entered(self) end
    end,
})
)";

const char* kJourney = R"(
local loads = 0
events.Connect("LevelUnload", "test", function()
    C.lb_serialize_number("coins", loads * 10)
    C.lb_serialize_string("who", "unload" .. loads)
end)
events.Connect("LevelLoad", "test", function(save)
    loads = loads + 1
    local members = {}
    for key, value in pairs(save) do members[#members + 1] = key .. "=" .. tostring(value) end
    table.sort(members)
    C.lb_print("load " .. loads .. ": " .. table.concat(members, " "))
    C.lb_print("has save file " .. tostring(C.lb_engine_has_save_file()))
    if loads == 1 then
        C.lb_engine_load_saved_level()
        C.lb_engine_save_on_unload(true)
        C.lb_engine_change_level("second")
        C.lb_engine_change_level("third")
    elseif loads == 2 then
        C.lb_engine_load_saved_level()
    elseif loads == 3 then
        C.lb_engine_load_level_restart("third")
    else
        C.lb_engine_quit_game()
    end
end)
)";

TEST_F(LuaGame, LevelChangesSaveOnUnloadGoBackToTheSavedLevelAndRestart) {
    for (const char* name : {"korvel_splash", "second", "third"}) Level(name, MarkedLevel(name));
    Script("components/marker.lua", kMarker);
    Script("autorun/journey.lua", kJourney);
    const std::string output = RunToEnd();
    EXPECT_TRUE(LinesInOrder(output, {
        "in korvel_splash visit 1",
        "load 1: ",
        "has save file false",
        // Without a save file there is nowhere to go back to.
        "lb_engine_load_saved_level: there is no saved level to load",
        // The first change of the frame wins; korvel_splash is saved on the way.
        "in second visit 1",
        "load 2: coins=10 last_level=korvel_splash who=unload1",
        "has save file true",
        // Back to the saved copy, which remembers the first visit.
        "in korvel_splash visit 2",
        "load 3: coins=20 last_level=second who=unload2",
        // A restart empties the save folder and saves nothing on the way.
        "in third visit 1",
        "load 4: ",
        "has save file false",
    }));
    EXPECT_GT(output.find("in third"), output.find("load 3")) << "the second change of a frame is ignored";
    // Quitting unloads third with saving armed again.
    const std::string folder = SaveFolder();
    EXPECT_FALSE(std::filesystem::exists(folder + "korvel_splash.json"));
    EXPECT_FALSE(std::filesystem::exists(folder + "second.json"));
    const Json::Value save = ReadJson(folder + "save_file.json");
    EXPECT_EQ(save["last_level"].asString(), "third");
    EXPECT_EQ(save["coins"].asDouble(), 40.0);
    EXPECT_EQ(save["who"].asString(), "unload4");
    const Json::Value marker = ReadJson(folder + "third.json")["entities"][0]["components"][0];
    EXPECT_EQ(marker["__component_name"].asString(), "Marker");
    EXPECT_EQ(marker["level"].asString(), "third");
    EXPECT_EQ(marker["visits"].asDouble(), 1.0);
}

// Changes asked at awkward moments: from a component's Initialize while its
// level loads itself again, a change and a restart in one frame, in both
// orders, and a change asked by a script that the restart's unpausing runs.
// The first change asked wins, and happens after a load under way;
// each level is saved under its own name, and the player's saved "other"
// (five visits) is deleted only by a restart that happens.
TEST_F(LuaGame, ChangesAskedDuringALoadOrTogetherKeepEveryLevelUnderItsOwnName) {
    struct Row {
        const char* name;
        const char* script;
        std::vector<std::string> lines;
        int otherVisits;  // in its saved copy at the end; 0: none
        int splashVisits;
        const char* lastLevel;
        bool escape = false;  // pressed once the first level is in
    } rows[] = {
        {"a change asked while the level loads itself again",
         R"(C.lb_engine_change_level("korvel_splash")
            function Entered(self)
                if self.level == "korvel_splash" and self.visits == 2 then C.lb_engine_change_level("other") end
            end)",
         {"in korvel_splash visit 1", "in korvel_splash visit 2", "in other visit 6"}, 6, 2, "other"},
        {"a change, then a restart",
         R"(C.lb_engine_change_level("other") C.lb_engine_load_level_restart("korvel_splash"))",
         {"in korvel_splash visit 1", "in other visit 6"}, 6, 1, "other"},
        {"a restart, then a change",
         R"(C.lb_engine_load_level_restart("korvel_splash") C.lb_engine_change_level("other"))",
         {"in korvel_splash visit 1", "in korvel_splash visit 1"}, 0, 1, "korvel_splash"},
        // The player opens the pause menu; the restart closes it.
        {"a change asked as the restart unpauses",
         R"(events.Connect("PauseMenuUnPaused", "asks", function()
                C.lb_print("unpaused")
                C.lb_engine_change_level("other")
            end)
            events.Connect("LogicUpdate", "restart", function()
                if not C.lb_engine_is_paused() then return end
                events.Disconnect("LogicUpdate", "restart")
                C.lb_engine_load_level_restart("korvel_splash")
            end))",
         {"in korvel_splash visit 1", "unpaused", "in korvel_splash visit 1"}, 0, 1, "korvel_splash", true},
    };
    for (const char* name : {"korvel_splash", "other"}) Level(name, MarkedLevel(name));
    Script("components/marker.lua", kMarker);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string folder = SaveFolder();
        std::filesystem::remove_all(folder);
        game.home.Write("Documents/Quillmere/other.json", MarkedLevel("other", 5));
        // Saving armed, the row's requests at the first load; the game ends
        // in the last level the row enters.
        const auto entered = std::count_if(row.lines.begin(), row.lines.end(),
                                           [](const std::string& line) { return line.rfind("in ", 0) == 0; });
        Script("autorun/requests.lua", std::string(R"(
local loads = 0
events.Connect("LevelLoad", "test", function()
    loads = loads + 1
    if loads == 1 then
        C.lb_engine_save_on_unload(true)
        )") + row.script + R"(
    elseif loads == )" + std::to_string(entered) + R"( then
        C.lb_engine_quit_game()
    end
end)
)");
        if (row.escape) {
            game.Start();
            ASSERT_TRUE(WaitFor(30, [&] { return HasLine(game.Stdout(), row.lines.front()); })) << game.Stdout();
            game.FocusWindow();
            game.Keys("key Escape");
            EXPECT_EQ(game.WaitForExit(60), 0) << game.Stdout() << game.Stderr();
        }
        const std::string output = row.escape ? game.Stdout() : RunToEnd();
        EXPECT_TRUE(LinesInOrder(output, row.lines));
        const auto visits = [&](const char* level) {
            const Json::Value marker = ReadJson(folder + level + ".json")["entities"][0]["components"][0];
            EXPECT_EQ(marker["level"].asString(), marker.isNull() ? "" : level);
            return marker["visits"].asInt();
        };
        EXPECT_EQ(visits("other"), row.otherVisits);
        EXPECT_EQ(visits("korvel_splash"), row.splashVisits);
        EXPECT_EQ(ReadJson(folder + "save_file.json")["last_level"].asString(), row.lastLevel);
    }
}

// The title level and its saved copy, which leads to a level that an update
// renamed. Q says where the game is and ends it; the pause that losing focus
// brings at the start is lifted.
std::string TitleLeadingTo(const std::string& next) {
    return R"({"entities": [{"name": "info", "components": [{"__component_name": "LevelInfo",
        "name": "korvel_splash", "next": ")" + next + R"("}]}]})";
}

const char* kWhereAmI = R"(
events.Connect("LevelLoad", "where", function() C.lb_print("on " .. level.name .. " leading to " .. level.next) end)
events.Connect("LogicUpdate", "unpause", function() if C.lb_engine_is_paused() then C.lb_pause_menu_unpause() end end)
events.Connect("KeyPressed", "quit", function(key)
    if key ~= 81 then return end
    C.lb_print("still on " .. level.name)
    C.lb_engine_quit_game()
end)
)";

TEST_F(LuaGame, EnterTowardsALevelThatExistsNowhereLeavesThePlayerOnTheTitleLevel) {
    const auto components = game.game.path() / "lua/components";
    std::filesystem::create_directories(components);
    std::filesystem::copy(std::filesystem::path(QM_SOURCE_DIR) / "data/lua/components/level_info.lua", components);
    Level("korvel_splash", TitleLeadingTo("courtyard"));
    game.home.Write("Documents/Quillmere/korvel_splash.json", TitleLeadingTo("courtyard2"));
    Script("autorun/where.lua", kWhereAmI);
    game.Start();
    const auto said = [this](const std::string& line) { return HasLine(game.Stdout(), line); };
    ASSERT_TRUE(WaitFor(30, [&] { return said("on korvel_splash leading to courtyard2"); })) << game.Stdout();
    game.FocusWindow();
    const std::string refused = "lb_engine_change_level: level \"courtyard2\" does not exist; the level does not change";
    ASSERT_TRUE(WaitFor(60, [&] {
        game.Keys("key Return");
        return WaitFor(2, [&] { return said(refused) || !game.Running(); });
    }));
    ASSERT_TRUE(said(refused)) << game.Stdout() << game.Stderr();
    game.Keys("key q");
    EXPECT_EQ(game.WaitForExit(30), 0);
    EXPECT_TRUE(said("still on korvel_splash")) << game.Stdout() << game.Stderr();
    EXPECT_EQ(game.Stderr().find("Unrecoverable Exception"), std::string::npos) << game.Stderr();
}

}  // namespace
