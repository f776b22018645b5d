#include <cfloat>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/diagnostics/console.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "core/lighting/level_lighting.h"
#include "graphics/tile_map.h"
#include "scripting/export_list.h"
#include "tests/core/test_components.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/error_text.h"
#include "tests/support/same_json.h"

namespace {

using LevelFiles = EngineTest;

// A level whose one entity is named after where the file lies.
std::string NamedLevel(const std::string& entityName) {
    return R"({"entities": [{"name": ")" + entityName + R"(", "pos": {"x": 1, "y": 2, "z": 3}}]})";
}

std::string FirstEntityName() { return engine::GetAllEntities().at(0).GetName(); }

TEST_F(LevelFiles, SavedCopyWinsOutsideTheEditorAndNotInIt) {
    folder.WriteLevel("cave", NamedLevel("shipped"));
    folder.WriteSaved("cave.json", NamedLevel("saved"));
    LoadLevel("cave");
    EXPECT_EQ(FirstEntityName(), "saved");
    g_engine->requestedMode = Engine::kEditorMode;
    LoadLevel("cave");
    EXPECT_EQ(FirstEntityName(), "shipped");
    EXPECT_EQ(Engine::GetCurrentLevelName(), "cave");
    EXPECT_EQ(Engine::GetNextLevelName(), "cave");
}

TEST_F(LevelFiles, AFolderWhereTheSavedCopyWouldBeFallsBackToTheShippedLevel) {
    folder.WriteLevel("cave", NamedLevel("shipped"));
    std::filesystem::create_directories(folder.SaveFolder() + "cave.json");
    LoadLevel("cave");
    EXPECT_EQ(FirstEntityName(), "shipped");
}

TEST_F(LevelFiles, ASavedCopyThatCannotBeReadGivesWayToTheShippedLevel) {
    folder.WriteLevel("cave", NamedLevel("shipped"));
    const std::string saved = folder.SaveFolder() + "cave.json";
    const struct {
        const char* what;
        std::function<void()> make;
        bool setAside;
    } cases[] = {
        {"empty", [&] { folder.WriteSaved("cave.json", ""); }, true},
        {"cut short", [&] { folder.WriteSaved("cave.json", NamedLevel("saved").substr(0, 30)); }, true},
        {"trailing text", [&] { folder.WriteSaved("cave.json", NamedLevel("saved") + "]"); }, true},
        {"nested too deep", [&] { folder.WriteSaved("cave.json", std::string(5000, '[')); }, true},
        {"a FIFO", [&] { mkfifo(saved.c_str(), 0644); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(saved);
        std::filesystem::remove(saved + ".damaged");
        c.make();
        const std::string made = std::filesystem::is_regular_file(saved) ? folder.ReadSaved("cave.json") : "";
        const size_t lines = Console::GetLines().size();
        LoadLevel("cave");
        EXPECT_EQ(FirstEntityName(), "shipped");
        EXPECT_EQ(std::filesystem::exists(saved + ".damaged"), c.setAside);
        if (!c.setAside) continue;
        EXPECT_EQ(folder.ReadSaved("cave.json.damaged"), made);
        EXPECT_FALSE(std::filesystem::exists(saved));
        ASSERT_EQ(Console::GetLines().size(), lines + 1);
        EXPECT_EQ(Console::GetLines().back().rfind("\"" + saved + "\" is damaged, set aside as \"" + saved + ".damaged\": ", 0), 0u)
            << Console::GetLines().back();
    }
}

TEST_F(LevelFiles, NumbersBeyondTheFloatRangeReadAsTheLargestFloatAndSaveReadably) {
    folder.WriteLevel("far", R"({"entities": [{"name": "far", "pos": {"x": 1e39, "y": -1e300, "z": 2}}],
        "graphics": {"moonlight_fade_dist": 1e39, "global_ambient_intensity": -1e39}})");
    for (int trip = 0; trip < 2; ++trip) {
        SCOPED_TRACE(trip);
        LoadLevel("far");
        EXPECT_EQ(engine::GetAllEntities().at(0).GetPosition(), glm::vec3(FLT_MAX, -FLT_MAX, 2));
        EXPECT_EQ(moonlight_fade_dist, FLT_MAX);
        EXPECT_EQ(global_ambient_intensity, -FLT_MAX);
        SaveLevel("far", false);  // the next trip reads what this wrote
    }
    // Held values that are not finite (set by a script) are written readably.
    engine::GetAllEntities().at(0).SetPosition(INFINITY, -INFINITY, NAN);
    SaveLevel("far", false);
    LoadLevel("far");
    EXPECT_EQ(engine::GetAllEntities().at(0).GetPosition(), glm::vec3(FLT_MAX, -FLT_MAX, 0));
}

TEST_F(LevelFiles, LightingFollowsEachLevelsGraphicsObject) {
    folder.WriteLevel("lit", R"({"graphics": {"moonlight_fade_dist": 30, "moonlight_fade_exponent": 3,
        "global_ambient": {"x": 0.2, "y": 0.3, "z": 0.4}, "global_ambient_intensity": 2, "attenuation_zero": 0.5}})");
    folder.WriteLevel("partial", R"({"graphics": {"moonlight_color": {"x": 1, "y": 0.5, "z": 0}}})");
    folder.WriteLevel("plain", R"({"entities": null})");
    LoadLevel("lit");
    LoadLevel("partial");
    EXPECT_EQ(moonlight_fade_dist, 30.0f);
    EXPECT_EQ(moonlight_fade_exponent, 3.0f);
    EXPECT_EQ(global_ambient, glm::vec3(0.0f));
    EXPECT_EQ(global_ambient_intensity, 0.0f);
    EXPECT_EQ(moonlight_color, glm::vec3(1.0f, 0.5f, 0.0f));
    const Json::Value before = LevelLightingToJson();
    LoadLevel("plain");
    EXPECT_EQ(LevelLightingToJson(), before);
}

TEST_F(LevelFiles, ALevelWithoutEntitiesRoundTripsAsNull) {
    folder.WriteLevel("empty", kSmallLevel);
    LoadLevel("empty");
    SaveLevel("empty", false);
    const Json::Value saved = Parse(folder.ReadLevel("empty"));
    EXPECT_TRUE(saved["entities"].isNull());
    EXPECT_TRUE(saved.isMember("entities"));
    EXPECT_EQ(saved["tile_map"]["tiles"].asString(), "0 1 1 0 ");
    EXPECT_TRUE(testing_support::SameJson(saved["graphics"], LevelLightingToJson()));
    engine::CreateEntity();
    LoadLevel("empty");
    EXPECT_TRUE(engine::GetAllEntities().empty());
}

TEST_F(LevelFiles, SavedLevelRoundTripsEntitiesComponentsAndTiles) {
    RegisterTestComponents();
    folder.WriteLevel("room", R"({"tile_map": {"tile_width": 8, "tile_height": 8, "width": 2, "height": 2,
        "tiles": "1 0 0 2 ", "tile_textures": ["debug", "debug"]},
        "entities": [{"name": "lamp", "pos": {"x": 4.5, "y": -2, "z": 1},
                      "components": [{"__component_name": "Beta", "value": 9}, {"__component_name": "Alpha", "value": 4}]},
                     {"name": "", "pos": {"x": 0, "y": 0, "z": 0}, "components": null}]})");
    LoadLevel("room");
    SaveLevel("room", true);
    const Json::Value saved = Parse(folder.ReadSaved("room.json"));
    const Json::Value& entities = saved["entities"];
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities[0]["name"].asString(), "lamp");
    EXPECT_EQ(entities[0]["pos"]["x"].asFloat(), 4.5f);
    EXPECT_EQ(entities[0]["components"][0]["__component_name"].asString(), "Alpha") << "ascending type id";
    EXPECT_EQ(entities[0]["components"][1]["value"].asInt(), 9);
    EXPECT_EQ(entities[1]["name"].asString(), "Entity");
    EXPECT_TRUE(entities[1]["components"].isNull());
    EXPECT_EQ(saved["tile_map"]["tiles"].asString(), "1 0 0 2 ");
    EXPECT_EQ(saved["tile_map"]["tile_textures"].size(), 2u);
}

TEST_F(LevelFiles, TheOrderOfEffectsInsideALevelLoad) {
    RegisterTestComponents();
    folder.WriteLevel("first", R"({"entities": [{"components": [{"__component_name": "Alpha", "value": 1}]},
                                                {"components": [{"__component_name": "Alpha", "value": 2}]}]})");
    folder.WriteLevel("second", R"({"tile_map": {"tile_width": 12, "tile_height": 12},
        "graphics": {"moonlight_fade_dist": 55},
        "entities": [{"components": [{"__component_name": "Beta", "value": 7}, {"__component_name": "Alpha", "value": 8}]}]})");
    LoadLevel("first");
    auto& log = ComponentLog();
    log.clear();
    events::Connect<Json::Value*>("LevelUnload", "test", [&](Json::Value*) {
        log.push_back("LevelUnload");
        engine::DestroyEntity(engine::GetAllEntities().at(1), false);  // flushed before "LevelUnloadFinished"
    });
    events::Connect<Json::Value*>("LevelUnloadFinished", "test", [&](Json::Value*) {
        log.push_back("LevelUnloadFinished");
    });
    events::Connect<Json::Value*>("LevelLoad", "test", [&](Json::Value*) {
        log.push_back("LevelLoad " + Engine::GetCurrentLevelName() + " tiles " +
                      std::to_string(GetTileMap()->GetTileWidth()) + " fade " +
                      std::to_string(static_cast<int>(moonlight_fade_dist)));
    });
    LoadLevel("second");
    EXPECT_EQ(log, (std::vector<std::string>{
                       "LevelUnload", "Alpha remove 2", "LevelUnloadFinished", "Alpha remove 1",
                       "Beta deserialize 7 1", "Beta init 1", "Alpha deserialize 8 1", "Alpha init 1",
                       "LevelLoad second tiles 12 fade 55"}));
}

TEST_F(LevelFiles, BrokenOrMissingLevelsThrowOutOfLoadLevel) {
    folder.WriteLevel("broken", R"({"entities": [)");
    folder.WriteLevel("list", R"([1, 2])");
    EXPECT_THROW(LoadLevel("broken"), std::exception);
    EXPECT_THROW(LoadLevel("nowhere"), std::exception);
    EXPECT_EQ(ErrorText([] { LoadLevel("list"); }), "LoadLevel: level \"list\" is not a JSON object");
}

TEST_F(LevelFiles, ANullLevelLoadsAsAnEmptyLevel) {
    folder.WriteLevel("void", "null");
    engine::CreateEntity();
    LoadLevel("void");
    EXPECT_TRUE(engine::GetAllEntities().empty());
    EXPECT_EQ(GetTileMap()->Serialize()["width"].asInt(), 0);
    EXPECT_EQ(Engine::GetCurrentLevelName(), "void");
}

// A type that no built-in and no script defines (its script failed before it
// registered it, or it was renamed) loads as read and is saved and copied
// unchanged, nested members too; once a script defines it, its fields reach it.
TEST_F(LevelFiles, AComponentOfATypeNothingDefinesIsKeptAsReadUntilAScriptDefinesIt) {
    const std::string teapot = R"({"__component_name": "Teapot", "spout": 2.5, "glaze": "blue", "lid": {"knob": [1, true]}})";
    folder.WriteLevel("odd", R"({"entities": [{"name": "pot", "components": [)" + teapot + "]}]}");
    const size_t lines = Console::GetLines().size();
    ASSERT_NO_THROW(LoadLevel("odd"));
    ASSERT_EQ(Console::GetLines().size(), lines + 1);
    EXPECT_EQ(Console::GetLines().back(),
              "Lua Error: component \"Teapot\" of entity \"pot\" (id 1) in level \"odd\" cannot be made: unknown Lua "
              "component type \"Teapot\"; the fields it was loaded with are kept as they were");
    ASSERT_EQ(engine::GetAllEntities().size(), 1u);
    const engine::entity_handle pot = engine::GetAllEntities()[0];
    EXPECT_EQ(pot.Serialize()["components"][0], Parse(teapot));
    engine::CreateEntity().CopyFrom(pot);
    ASSERT_TRUE(SaveLevel("odd", true));
    const Json::Value saved = Parse(folder.ReadSaved("odd.json"))["entities"];
    EXPECT_EQ(saved[0]["components"][0], Parse(teapot));
    EXPECT_EQ(saved[1]["components"][0], Parse(teapot)) << "the copy";

    folder.game.Write("lua/components/teapot.lua", R"(components.Register("Teapot", {
    fields = { spout = 1, glaze = "white" },
    Initialize = function(self) require("ffi").C.lb_print("teapot " .. self.spout .. " " .. self.glaze) end,
}))");
    Engine::RestartScripts();
    LoadLevel("odd");
    EXPECT_EQ(Console::GetLines().back(), "teapot 2.5 blue");
}

TEST_F(LevelFiles, TheSaveFileHoldsTheListenersMembersAndTheLevelLeft) {
    folder.WriteSaved("save_file.json", R"({"old_member": 1, "last_level": "older"})");
    folder.WriteLevel("cave", kSmallLevel);
    LoadLevel("cave");
    events::Connect<Json::Value*>("LevelUnload", "coins", [](Json::Value* doc) { (*doc)["coins"] = 12; });
    events::Connect<Json::Value*>("LevelUnloadFinished", "door", [](Json::Value* doc) { (*doc)["door"] = "open"; });
    Engine::SetSaveOnUnload(true);
    UnloadLevel();
    const Json::Value saved = Parse(folder.ReadSaved("save_file.json"));
    EXPECT_EQ(saved.getMemberNames(), (std::vector<std::string>{"coins", "door", "last_level"}));
    EXPECT_EQ(saved["coins"].asInt(), 12);
    EXPECT_EQ(saved["last_level"].asString(), "cave");
    EXPECT_EQ(GetLastLevel(), "cave");
}

TEST_F(LevelFiles, ClearingTheSaveFlagSkipsExactlyOneSave) {
    folder.WriteLevel("cave", kSmallLevel);
    LoadLevel("cave");
    ASSERT_TRUE(Engine::GetSaveOnUnload()) << "the load's unload armed it";
    Engine::SetSaveOnUnload(false);
    UnloadLevel();
    EXPECT_FALSE(folder.SavedExists("save_file.json"));
    EXPECT_TRUE(Engine::GetSaveOnUnload());
    UnloadLevel();
    EXPECT_TRUE(folder.SavedExists("save_file.json"));
}

TEST_F(LevelFiles, TheEditorNeverWritesTheSaveFileNorRaisesLevelLoad) {
    folder.WriteLevel("cave", kSmallLevel);
    int loads = 0;
    events::Connect<Json::Value*>("LevelLoad", "count", [&](Json::Value*) { ++loads; });
    Engine::SetSaveOnUnload(true);
    g_engine->requestedMode = Engine::kEditorMode;
    LoadLevel("cave");
    UnloadLevel();
    EXPECT_EQ(loads, 0);
    EXPECT_FALSE(folder.SavedExists("save_file.json"));
    g_engine->requestedMode = Engine::kGameMode;
    LoadLevel("cave");
    EXPECT_EQ(loads, 1);
}

TEST_F(LevelFiles, LevelLoadReceivesTheSaveFileOrNull) {
    folder.WriteLevel("cave", kSmallLevel);
    Json::Value received;
    events::Connect<Json::Value*>("LevelLoad", "read", [&](Json::Value* doc) { received = *doc; });
    LoadLevel("cave");
    EXPECT_TRUE(received.isNull());
    folder.WriteSaved("save_file.json", R"({"coins": 3, "last_level": "cave"})");
    Engine::SetSaveOnUnload(false);  // or the unload would rewrite it first
    LoadLevel("cave");
    EXPECT_EQ(received["coins"].asInt(), 3);
    folder.WriteSaved("save_file.json", R"({"coins": )");
    Engine::SetSaveOnUnload(false);
    LoadLevel("cave");  // a damaged save file is no error
    EXPECT_EQ(GetLastLevel(), "");
}

TEST_F(LevelFiles, ClearSaveFolderRemovesEveryJsonFile) {
    folder.WriteSaved("save_file.json", R"({"last_level": "cave"})");
    folder.WriteSaved("cave.json", kSmallLevel);
    folder.WriteSaved(".json", "{}");
    folder.WriteSaved("notes.txt", "kept");
    ASSERT_EQ(GetLastLevel(), "cave");
    ClearSaveFolder();
    EXPECT_EQ(GetLastLevel(), "");
    EXPECT_FALSE(folder.SavedExists("cave.json"));
    EXPECT_FALSE(folder.SavedExists(".json"));
    EXPECT_TRUE(folder.SavedExists("notes.txt"));
}

TEST_F(LevelFiles, TheLastLevelIsTheSaveFilesMemberAsText) {
    folder.WriteSaved("save_file.json", R"({"last_level": 7})");
    EXPECT_EQ(GetLastLevel(), "7");
    folder.WriteSaved("save_file.json", R"({"last_level": null})");
    EXPECT_EQ(GetLastLevel(), "");
    folder.WriteSaved("save_file.json", R"({"last_level": ["cave"]})");
    EXPECT_EQ(GetLastLevel(), "");
}

TEST_F(LevelFiles, InTheEditorSavingLetsScriptsTidyUpFirst) {
    folder.WriteLevel("room", R"({"entities": [{"name": "keep"}, {"name": "temporary"}]})");
    LoadLevel("room");
    events::Connect<Json::Value*>("LevelUnload", "tidy", [&](Json::Value* doc) {
        (*doc)["written"] = true;
        for (const auto& entity : engine::GetAllEntities())
            if (entity.GetName() == "temporary") engine::DestroyEntity(entity, false);
    });
    g_engine->mode = Engine::kEditorMode;
    SaveLevel("room", false);
    const Json::Value saved = Parse(folder.ReadLevel("room"));
    ASSERT_EQ(saved["entities"].size(), 1u);
    EXPECT_EQ(saved["entities"][0]["name"].asString(), "keep");
    EXPECT_FALSE(saved.isMember("written"));
}

TEST_F(LevelFiles, WithoutASaveFolderNothingIsWrittenAndNothingFails) {
    // Start-up made the save folder when it looked there for the sound storage.
    std::filesystem::remove_all(folder.home.path() / "Documents");
    folder.home.Write("Documents", "a file where the folder should be");
    folder.WriteLevel("cave", kSmallLevel);
    LoadLevel("cave");
    Engine::SetSaveOnUnload(true);
    UnloadLevel();
    SaveLevel("cave", true);
    EXPECT_EQ(GetLastLevel(), "");
    EXPECT_THROW(ClearSaveFolder(), debug::exception);
}

}  // namespace

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every file below root with its contents, or where a link points.
Files Snapshot(const fs::path& root) {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        if (entry.is_symlink())
            files[relative] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            files[relative] = Contents(entry.path());
    }
    return files;
}

bool Listening(const std::string& event, const std::string& id) { return events::Disconnect(event, id); }

TEST_F(LevelFiles, NamesThatAreNoPlainFileNameAreRefusedAndNothingIsReadOrWritten) {
    folder.WriteLevel("cave", NamedLevel("cave"));
    folder.game.Write("outside.json", NamedLevel("outside"));  // what "levels/../outside" would name
    LoadLevel("cave");
    const std::string nul("cave\0x", 6);
    const struct {
        std::string name, shown, problem;
    } cases[] = {
        {"", "\"\"", "a level needs a name"},
        {"../outside", "\"../outside\"", "a level name holds no path separator"},
        {"..\\outside", "\"..\\outside\"", "a level name holds no path separator"},
        {"courtyard/part2", "\"courtyard/part2\"", "a level name holds no path separator"},
        {fs::absolute("outside").string(), "\"" + fs::absolute("outside").string() + "\"", "a level name holds no path separator"},
        {"..", "\"..\"", "a level name holds no \"..\""},
        {"cave..", "\"cave..\"", "a level name holds no \"..\""},
        {nul, "\"cave?x\"", "a level name holds no NUL"},
        {"SoundStorage", "\"SoundStorage\"", "\"SoundStorage\" is the save folder's own file"},
        {"save_file", "\"save_file\"", "\"save_file\" is the save folder's own file"},
        {"SAVE_File", "\"SAVE_File\"", "\"save_file\" is the save folder's own file"},
    };
    const Files game = Snapshot(folder.game.path()), home = Snapshot(folder.home.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const size_t lines = Console::GetLines().size();
        LoadLevel(c.name);
        EXPECT_EQ(FirstEntityName(), "cave");
        EXPECT_EQ(Engine::GetCurrentLevelName(), "cave");
        EXPECT_EQ(Engine::GetNextLevelName(), "cave");
        ASSERT_EQ(Console::GetLines().size(), lines + 1);
        EXPECT_EQ(Console::GetLines().back(), "LoadLevel: level " + c.shown + " refused: " + c.problem + "; the current level stays");
        for (bool toSaveFolder : {false, true}) {
            EXPECT_FALSE(SaveLevel(c.name, toSaveFolder));
            EXPECT_EQ(Console::GetLines().back(), "SaveLevel: level " + c.shown + " refused: " + c.problem + "; nothing is written");
        }
        EXPECT_EQ(Console::GetLines().size(), lines + 3);
    }
    EXPECT_EQ(Snapshot(folder.game.path()), game);
    EXPECT_EQ(Snapshot(folder.home.path()), home);
}

TEST_F(LevelFiles, LinksInTheLevelAndSaveFoldersAreWrittenThroughToTheirTargets) {
    folder.game.Write("work/cave.json", NamedLevel("shipped"));
    fs::create_symlink(folder.game.path() / "work/cave.json", folder.game.path() / "levels/cave.json");
    folder.home.Write("backup/cave.json", NamedLevel("saved"));
    fs::create_directories(folder.SaveFolder());
    fs::create_symlink("../../backup/cave.json", folder.SaveFolder() + "cave.json");
    LoadLevel("cave");
    ASSERT_EQ(FirstEntityName(), "saved") << "read through the link";
    engine::GetAllEntities()[0].SetName("edited");
    EXPECT_TRUE(SaveLevel("cave", false));
    EXPECT_TRUE(SaveLevel("cave", true));
    EXPECT_TRUE(fs::is_symlink(folder.game.path() / "levels/cave.json"));
    EXPECT_TRUE(fs::is_symlink(folder.SaveFolder() + "cave.json"));
    EXPECT_EQ(Parse(folder.game.Read("work/cave.json"))["entities"][0]["name"].asString(), "edited");
    EXPECT_EQ(Parse(folder.home.Read("backup/cave.json"))["entities"][0]["name"].asString(), "edited");
}

TEST_F(LevelFiles, ScriptsCannotSteerALevelChangeOutOfTheLevelFolders) {
    folder.WriteLevel("cave", kSmallLevel);
    LoadLevel("cave");
    g_engine->mode = Engine::kGameMode;
    ASSERT_TRUE(Engine::GetSaveOnUnload());
    const auto lastLevel = [&](const std::string& name) {
        Json::Value save;
        save["last_level"] = name;
        folder.WriteSaved("save_file.json", save.toStyledString());
    };
    const struct {
        const char* what;
        std::function<void()> call;
        std::string line;
    } cases[] = {
        {"change", [] { lb_engine_change_level("../../.config/someapp/settings"); },
         "lb_engine_change_level: level \"../../.config/someapp/settings\" refused: a level name holds no path separator; the level does not change"},
        {"change to nothing", [] { lb_engine_change_level(""); },
         "lb_engine_change_level: level \"\" refused: a level needs a name; the level does not change"},
        {"restart", [] { lb_engine_load_level_restart("a/b"); },
         "lb_engine_load_level_restart: level \"a/b\" refused: a level name holds no path separator; the level does not change"},
        {"saved level",
         [&] {
             lastLevel("../../outside");
             lb_engine_load_saved_level();
         },
         "lb_engine_load_saved_level: level \"../../outside\" refused: a level name holds no path separator; the level does not change"},
        {"saved level with a NUL",
         [&] {
             lastLevel(std::string("cave\0", 5));
             lb_engine_load_saved_level();
         },
         "lb_engine_load_saved_level: level \"cave?\" refused: a level name holds no NUL; the level does not change"},
        {"saved level named like the save file",
         [&] {
             lastLevel("save_file");
             lb_engine_load_saved_level();
         },
         "lb_engine_load_saved_level: level \"save_file\" refused: \"save_file\" is the save folder's own file; the "
         "level does not change"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t lines = Console::GetLines().size();
        c.call();
        ASSERT_EQ(Console::GetLines().size(), lines + 1);
        EXPECT_EQ(Console::GetLines().back(), c.line);
        EXPECT_EQ(Engine::GetNextLevelName(), "cave");
        EXPECT_FALSE(g_engine->reloadLevel);
        EXPECT_TRUE(Engine::GetSaveOnUnload());
        EXPECT_FALSE(Listening("LevelUnloadFinished", "LuaSaveLevelOnUnload"));
    }
    EXPECT_TRUE(folder.SavedExists("save_file.json")) << "the refused restart emptied nothing";
    folder.WriteLevel("cave2", kSmallLevel);
    lb_engine_change_level("cave2");
    EXPECT_EQ(Engine::GetNextLevelName(), "cave2") << "a plain name still goes through";
}

// A level renamed by an update, say: every way to it is refused with one
// line, the save folder is left alone and the current level goes on.
TEST_F(LevelFiles, ALevelThatExistsNowhereIsRefusedAndTheCurrentLevelGoesOn) {
    folder.WriteLevel("cave", NamedLevel("cave"));
    folder.WriteSaved("attic.json", NamedLevel("attic"));  // saved, not shipped
    LoadLevel("cave");
    g_engine->mode = Engine::kGameMode;
    ASSERT_TRUE(Engine::GetSaveOnUnload());
    const engine::entity_handle kept = engine::GetAllEntities().at(0);
    const std::string ignored = "; the level does not change", stays = "; the current level stays";
    const struct {
        const char* what;
        std::function<void()> call;
        std::string line;
    } cases[] = {
        {"change", [] { lb_engine_change_level("courtyard2"); },
         "lb_engine_change_level: level \"courtyard2\" does not exist" + ignored},
        {"restart of a level that is only saved", [] { lb_engine_load_level_restart("attic"); },
         "lb_engine_load_level_restart: level \"attic\" does not exist in \"levels/\"" + ignored},
        {"load of a level gone since the change was asked for",
         [&] {
             folder.WriteLevel("gone", kSmallLevel);
             lb_engine_change_level("gone");
             fs::remove(folder.game.path() / "levels/gone.json");
             LoadLevel(Engine::GetNextLevelName());
         },
         "LoadLevel: level \"gone\" does not exist" + stays},
        {"load in the editor of a level that is only saved",
         [] {
             g_engine->requestedMode = Engine::kEditorMode;
             LoadLevel("attic");
             g_engine->requestedMode = Engine::kGameMode;
         },
         "LoadLevel: level \"attic\" does not exist in \"levels/\"" + stays},
    };
    const Files home = Snapshot(folder.home.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t lines = Console::GetLines().size();
        ASSERT_NO_THROW(c.call());
        ASSERT_EQ(Console::GetLines().size(), lines + 1);
        EXPECT_EQ(Console::GetLines().back(), c.line);
        EXPECT_TRUE(kept.IsValid()) << "the current level was not unloaded";
        EXPECT_EQ(Engine::GetCurrentLevelName(), "cave");
        EXPECT_EQ(Engine::GetNextLevelName(), "cave");
        EXPECT_FALSE(Listening("LevelUnloadFinished", "LuaSaveLevelOnUnload"));
        EXPECT_EQ(Snapshot(folder.home.path()), home);
    }
}

// With its damaged copy set aside, a level that only the save folder held
// exists nowhere: it is refused, and the current level goes on.
TEST_F(LevelFiles, ALevelWhoseOnlyCopyIsDamagedIsSetAsideAndRefused) {
    folder.WriteLevel("cave", NamedLevel("cave"));
    LoadLevel("cave");
    g_engine->mode = Engine::kGameMode;
    const std::string saved = folder.SaveFolder() + "attic.json";
    for (const char* text : {R"({"entities": [)", R"({"entities": [{"name": "x", "components": [7]}]})"}) {
        SCOPED_TRACE(text);
        fs::remove(saved + ".damaged");
        folder.WriteSaved("attic.json", text);
        lb_engine_change_level("attic");
        ASSERT_NO_THROW(LoadLevel(Engine::GetNextLevelName()));
        EXPECT_EQ(Console::GetLines().back(), "LoadLevel: level \"attic\" does not exist; the current level stays");
        EXPECT_FALSE(fs::exists(saved));
        EXPECT_EQ(folder.ReadSaved("attic.json.damaged"), text);
        EXPECT_EQ(Engine::GetCurrentLevelName(), "cave");
        EXPECT_EQ(Engine::GetNextLevelName(), "cave");
        ASSERT_EQ(engine::GetAllEntities().size(), 1u);
        EXPECT_EQ(FirstEntityName(), "cave");
    }
}

TEST_F(LevelFiles, ASavedCopyThatCannotBeBuiltIsSetAsideForTheShippedLevel) {
    RegisterTestComponents();
    folder.WriteLevel("cave", NamedLevel("shipped"));
    const std::string built = R"({"name": "built", "components": [{"__component_name": "Alpha", "value": 1}]})";
    const std::string unnamed = "It cannot be built: components::Create failed to map component string!";
    const struct {
        const char* what;
        std::string text, problem;
        bool halfBuilt;
    } cases[] = {
        {"a list", "[1, 2, 3]", "It is not a JSON object.", false},
        {"null", "null", "It holds null, not a level.", false},
        {"a component entry that is not an object", R"({"entities": [)" + built + R"(, {"components": [7]}]})", unnamed, true},
        {"a vast tile map", R"({"tile_map": {"width": 100000, "height": 100000}, "entities": [)" + built + "]}",
         "It cannot be built: TileMap::Deserialize: a tile map of 100000 by 100000 cells is too large", false},
    };
    const std::string saved = folder.SaveFolder() + "cave.json";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(saved + ".damaged");
        folder.WriteSaved("cave.json", c.text);
        ComponentLog().clear();
        const size_t lines = Console::GetLines().size();
        ASSERT_NO_THROW(LoadLevel("cave"));
        ASSERT_EQ(engine::GetAllEntities().size(), 1u);
        EXPECT_EQ(FirstEntityName(), "shipped");
        EXPECT_EQ(Engine::GetCurrentLevelName(), "cave");
        EXPECT_FALSE(fs::exists(saved));
        EXPECT_EQ(folder.ReadSaved("cave.json.damaged"), c.text);
        ASSERT_EQ(Console::GetLines().size(), lines + 1);
        EXPECT_EQ(Console::GetLines().back(),
                  "\"" + saved + "\" is damaged, set aside as \"" + saved + ".damaged\": " + c.problem);
        // What was built of the copy was taken down again, listeners and all.
        const std::vector<std::string> built = {"Alpha deserialize 1 1", "Alpha init 1", "Alpha remove 1"};
        EXPECT_EQ(ComponentLog(), c.halfBuilt ? built : std::vector<std::string>{});
        EXPECT_FALSE(Listening(RecordingComponent<Alpha>::kEvent, "Alpha1"));
    }
    // Only a shipped level that cannot be built ends the game.
    folder.WriteLevel("cave", R"({"entities": [{"components": [7]}]})");
    EXPECT_THROW(LoadLevel("cave"), debug::exception);
}

TEST_F(LevelFiles, InTheEditorALevelThatCannotBeLoadedLeavesTheCurrentOneAsItWas) {
    RegisterTestComponents();
    folder.WriteLevel("cave", R"({"tile_map": {"tile_width": 9, "tile_height": 9, "width": 1, "height": 1, "tiles": "1 "},
        "entities": [{"name": "kept", "components": [{"__component_name": "Alpha", "value": 5}]}],
        "graphics": {"moonlight_fade_dist": 42}})");
    folder.WriteLevel("broken", R"({"entities": [)");
    folder.WriteLevel("list", "[1]");
    folder.WriteLevel("odd", R"({"graphics": {"moonlight_fade_dist": 1},
        "entities": [{"name": "new"}, {"components": [{"name": "no type"}]}]})");
    folder.WriteLevel("vast", R"({"tile_map": {"width": 100000, "height": 100000}})");
    g_engine->mode = g_engine->requestedMode = Engine::kEditorMode;
    LoadLevel("cave");
    engine::GetAllEntities()[0].SetPosition(7, 8, 9);  // an edit not saved yet
    for (const char* name : {"broken", "list", "odd", "vast"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(LoadLevel(name), debug::exception);
        EXPECT_EQ(Engine::GetCurrentLevelName(), "cave");
        EXPECT_EQ(Engine::GetNextLevelName(), "cave");
        ASSERT_EQ(engine::GetAllEntities().size(), 1u);
        const engine::entity_handle kept = engine::GetAllEntities()[0];
        EXPECT_EQ(kept.GetName(), "kept");
        EXPECT_EQ(kept.GetPosition(), glm::vec3(7, 8, 9));
        ASSERT_TRUE(kept.HasComponent<Alpha>());
        EXPECT_EQ(kept.GetBaseEntity().Get<Alpha>()->value, 5);
        EXPECT_EQ(GetTileMap()->GetTileWidth(), 9u);
        EXPECT_EQ(moonlight_fade_dist, 42.0f);
    }
    ASSERT_TRUE(SaveLevel("cave", false));
    EXPECT_EQ(Parse(folder.ReadLevel("cave"))["entities"][0]["pos"]["x"].asFloat(), 7.0f);
}

TEST_F(LevelFiles, ARespawningScriptComponentDoesNotHoldUpALevelChange) {
    folder.game.Write("lua/components/respawn.lua", R"(local C = require("ffi").C
components.Register("Respawn", {
    Initialize = function(self) self:Connect("LogicUpdate", function() end) end,
    Remove = function(self)
        C.lb_print("respawn removed")
        Entity.Create():AddComponent("Respawn")
    end,
}))");
    Engine::RestartScripts();
    folder.WriteLevel("spawn", R"({"entities": [{"name": "a", "components": [{"__component_name": "Respawn"}]},
                                               {"name": "b", "components": [{"__component_name": "Respawn"}]}]})");
    LoadLevel("spawn");
    ASSERT_EQ(engine::GetAllEntities().size(), 2u);
    const size_t lines = Console::GetLines().size();
    LoadLevel("spawn");
    EXPECT_EQ(Console::GetLines().size(), lines + 2);
    EXPECT_EQ(Console::GetLines().back(), "respawn removed");
    EXPECT_EQ(engine::GetAllEntities().size(), 2u);
    engine::DestroyAllEntities();
    EXPECT_TRUE(engine::GetAllEntities().empty());
}

// The engine's numbers are floats and are written in their short form; a
// component written in Lua holds a script's doubles, written exactly, even
// one that a float holds.
TEST_F(LevelFiles, TheEnginesFloatsAreWrittenShortAndScriptsDoublesExactly) {
    folder.game.Write("lua/components/gauge.lua", R"(components.Register("Gauge", { fields = { level = 0 } }))");
    Engine::RestartScripts();
    folder.WriteLevel("gauges", R"({"entities": [{"name": "g", "pos": {"x": 0.6, "y": 1e-7, "z": -0.0},
        "components": [{"__component_name": "Gauge", "level": 0.60000002384185791}]}],
        "graphics": {"attenuation_zero": 0.001}})");
    LoadLevel("gauges");
    ASSERT_EQ(engine::GetAllEntities().size(), 1u);
    SaveLevel("gauges", false);
    const std::string text = folder.ReadLevel("gauges");
    EXPECT_NE(text.find(R"("pos": {
                "x": 0.6,
                "y": 1e-07,
                "z": -0.0
            })"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("attenuation_zero": 0.001,)"), std::string::npos) << text;
    EXPECT_EQ(Parse(text)["entities"][0]["components"][0]["level"].asDouble(), double(0.6f)) << text;
}

// A designer opens a shipped level in the editor and closes it without an
// edit: the file written is the one shipped, byte for byte.
TEST_F(LevelFiles, TheShippedLevelsAreWrittenBackAsTheyWereShipped) {
    const fs::path data = fs::path(QM_SOURCE_DIR) / "data";
    fs::copy(data / "lua" / "components", "lua/components");
    Engine::RestartScripts();
    g_engine->mode = g_engine->requestedMode = Engine::kEditorMode;
    for (const auto& file : fs::directory_iterator(data / "levels")) {
        const std::string name = file.path().stem().string();
        SCOPED_TRACE(name);
        const std::string shipped = Contents(file.path());
        folder.WriteLevel(name, shipped);
        LoadLevel(name);
        ASSERT_FALSE(engine::GetAllEntities().empty()) << "the level is loaded";
        ASSERT_TRUE(SaveLevel(name, false));
        EXPECT_EQ(folder.ReadLevel(name), shipped);
    }
}

}  // namespace
