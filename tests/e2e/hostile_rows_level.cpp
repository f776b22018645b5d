// Level names and saved copies that a modder, a careless designer or a damaged disk could produce.
#include "tests/e2e/hostile_files.h"

namespace {

namespace fs = std::filesystem;

// A script that, a few frames in, does what a row asks with a level name.
std::string OnFifthFrame(const std::string& body) {
    return "local C = require('ffi').C\nlocal frames = 0\n"
           "events.Connect('LogicUpdate', 'HostileLevelName', function()\n"
           "    frames = frames + 1\n    if frames == 5 then " + body + " end\nend)\n";
}

// A Lua string literal of text.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    return quoted + "\"";
}

// The name that, read from the save folder, reaches "settings.json" outside
// the game's folders: the saved copy of a level is that folder, the name and
// ".json".
std::string Climbing(const HostileRun& run) { return HostileRun::Relative(run.Outside() / "settings", run.SaveFolder()); }

std::string Refused(const std::string& who, const std::string& name) {
    return who + ": level \"" + name + "\" refused: a level name holds no path separator; the level does not change";
}

// A saved copy of the first level that parses but cannot be built.
HostileRow Unbuildable(const std::string& name, const std::string& text, const std::string& problem) {
    return {name,
            [text](HostileRun& run) { run.game.home.Write("Documents/Quillmere/korvel_splash.json", text); },
            "korvel_splash.json.damaged\": " + problem, "korvel_splash.json.damaged", false};
}

const char* kBuilt = R"({"name": "built", "components": [{"__component_name": "PointLight"}]})";

}  // namespace

std::vector<HostileRow> LevelRows() {
    std::vector<HostileRow> rows = {
        {"LevelInfoNextClimbsOutOfTheSaveFolder",
         [](HostileRun& run) {
             fs::copy(fs::path(QM_SOURCE_DIR) / "data/lua/components", run.game.game.path() / "lua/components");
             run.game.game.Write("levels/korvel_splash.json",
                                 R"({"entities": [{"name": "info", "components": [{"__component_name": "LevelInfo",
                                     "name": "korvel_splash", "next": )" + Quoted(Climbing(run)) + "}]}]}");
             run.game.game.Write("lua/autorun/go_next.lua", OnFifthFrame("C.lb_engine_change_level(level.next)"));
         },
         "lb_engine_change_level: level \"../../.config/someapp/settings\" refused", "", false},
        {"ChangeLevelToAnAbsolutePath",
         [](HostileRun& run) {
             const std::string name = (run.Outside() / "settings").string();
             run.game.game.Write("lua/autorun/go.lua", OnFifthFrame("C.lb_engine_change_level(" + Quoted(name) + ")"));
         },
         "lb_engine_change_level: level \"/", "", false},
        {"RestartAClimbingLevel",
         [](HostileRun& run) {
             run.game.home.Write("Documents/Quillmere/keep.json", "{}");
             run.game.game.Write("lua/autorun/go.lua",
                                 OnFifthFrame("C.lb_engine_load_level_restart(" + Quoted(Climbing(run)) + ")"));
         },
         Refused("lb_engine_load_level_restart", "../../.config/someapp/settings"), "keep.json", false},
        {"LastLevelClimbsOutOfTheSaveFolder",
         [](HostileRun& run) {
             run.game.home.Write("Documents/Quillmere/save_file.json",
                                 "{\"last_level\": " + Quoted(Climbing(run)) + "}");
             run.game.game.Write("lua/autorun/go.lua", OnFifthFrame("C.lb_engine_load_saved_level()"));
         },
         Refused("lb_engine_load_saved_level", "../../.config/someapp/settings"), "", false},
        {"LastLevelHoldsANul",
         [](HostileRun& run) {
             run.game.home.Write("Documents/Quillmere/save_file.json", R"({"last_level": "korvel_splash\u0000x"})");
             run.game.game.Write("lua/autorun/go.lua", OnFifthFrame("C.lb_engine_load_saved_level()"));
         },
         "lb_engine_load_saved_level: level \"korvel_splash?x\" refused: a level name holds no NUL", "", false},
        Unbuildable("SavedCopyIsAList", "[1, 2, 3]", "It is not a JSON object."),
        Unbuildable("SavedCopyIsNull", "null", "It holds null, not a level."),
        {"SavedCopyHasAComponentNothingDefines",
         [](HostileRun& run) {
             run.game.home.Write("Documents/Quillmere/korvel_splash.json",
                                 std::string(R"({"entities": [)") + kBuilt +
                                     R"(, {"components": [{"__component_name": "Removed", "x": 1}]}]})");
         },
         "Lua Error: component \"Removed\" of entity \"Entity\" (id 2) in level \"korvel_splash\" cannot be made",
         "korvel_splash.json", false},
        {"OnlyCopyOfALevelIsDamaged",
         [](HostileRun& run) {
             run.game.home.Write("Documents/Quillmere/oldlevel.json", R"({"entities": [)");
             run.game.game.Write("lua/autorun/go.lua", OnFifthFrame("C.lb_engine_change_level('oldlevel')"));
         },
         "LoadLevel: level \"oldlevel\" does not exist; the current level stays", "oldlevel.json.damaged", false},
        Unbuildable("SavedCopyHasAComponentThatIsNoObject",
                    std::string(R"({"entities": [)") + kBuilt + R"(, {"components": ["PointLight"]}]})",
                    "It cannot be built: components::Create failed to map component string!"),
        Unbuildable("SavedCopyHasAVastTileMap", R"({"tile_map": {"width": 100000, "height": 100000}})",
                    "It cannot be built: TileMap::Deserialize: a tile map of 100000 by 100000 cells is too large"),
    };
    return rows;
}
