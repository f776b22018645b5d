#include "core/engine/engine.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "core/level/level_io.h"
#include "core/lighting/level_lighting.h"
#include "graphics/tile_map.h"

namespace {

// A shipped level that cannot be read ends the game: there is nothing to
// fall back on. A null document is an empty level.
Json::Value ReadShippedLevel(const std::string& name) {
    Json::Value document;
    const std::string path = ShippedLevelPath(name);
    std::string problem;
    if (ReadJsonFile(path, document, problem) != JsonFileRead::Read)
        throw debug::exception("Level \"" + path + "\" cannot be loaded:\n" + problem);
    if (!document.isObject() && !document.isNull())
        throw debug::exception("LoadLevel: level \"" + name + "\" is not a JSON object");
    return document;
}

// The saved copy of the level, when there is one that reads as a level. A
// damaged one is set aside, so a player is never locked out by it; one that
// parses but is no level (null, a list) counts as damaged.
bool ReadSavedCopy(const std::string& name, std::string& path, Json::Value& document) {
    try {
        path = SavedLevelPath(name);
    } catch (const debug::exception&) {
        return false;  // no save folder: the shipped level stands in
    }
    if (!ReadSaveFolderFile(path, document)) return false;
    if (document.isObject()) return true;
    SetAsideDamaged(path, document.isNull() ? "It holds null, not a level." : "It is not a JSON object.");
    return false;
}

// Set while BuildLevel makes a level's entities, which belong to it before it
// becomes the current level.
const std::string* levelBeingBuilt = nullptr;

void BuildLevel(const Json::Value& document, const std::string& name) {
    const std::string* outer = levelBeingBuilt;
    levelBeingBuilt = &name;
    struct Restore {
        const std::string* outer;
        ~Restore() { levelBeingBuilt = outer; }
    } restore{outer};
    CreateTileMap();
    GetTileMap()->Deserialize(document["tile_map"]);
    const Json::Value& entities = document["entities"];
    if (entities.isArray())
        for (const Json::Value& entity : entities) engine::CreateEntity().Deserialize(entity);
    ApplyLevelLighting(document["graphics"]);
}

void TearDownLevel() {
    engine::DestroyAllEntities();
    DestroyTileMap();
}

// A change asked for is dropped with its name, and so is the save of the
// level it would have left.
void DropChange() {
    Engine::SetLevel(Engine::GetCurrentLevelName(), true);
    events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload");
}

}  // namespace

void LoadLevel(std::string name) {
    constexpr const char* kStays = "the current level stays";
    // From here a change asked is a new one, carried out after this load.
    g_engine->reloadLevel = false;
    if (!CheckLevelName(name, "LoadLevel", kStays)) return DropChange();
    // In the editor only the shipped file is read: it is read and checked
    // before anything of the current level goes, so a broken file leaves that
    // level as it was. Outside it the saved copy is read after the unload,
    // which may just have written it.
    const bool editor = Engine::GetRequestedMode() == Engine::kEditorMode;
    // A level renamed or removed by an update must not lock a player out.
    // The first level of a start has no level to stay on: it fails below,
    // like a shipped level that cannot be read.
    const bool starting = Engine::GetMode() == Engine::kStartMode;
    if (!starting && !CheckLevelExists(name, editor, "LoadLevel", kStays)) return DropChange();
    // A level that only a saved copy holds exists nowhere once a damaged copy
    // is set aside: it is refused like any missing level, before anything of
    // the current level goes.
    const bool shipped = LevelExists(name, true);
    if (!editor && !shipped && !starting) {
        std::string path;
        Json::Value copy;
        if (!ReadSavedCopy(name, path, copy) && !CheckLevelExists(name, false, "LoadLevel", kStays))
            return DropChange();
    }
    Json::Value document;
    if (editor) document = ReadShippedLevel(name);
    UnloadLevel();
    std::string savedPath;
    const bool saved = !editor && ReadSavedCopy(name, savedPath, document);
    if (!editor && !saved) document = ReadShippedLevel(name);
    // What is built is built whole. A saved copy that cannot be built is set
    // aside for the shipped level, or, with none, for the level being left;
    // in the editor a level that cannot be built (a vast tile map, say) gives
    // way to the one being left, as it was, so that closing the editor never
    // writes half a level over its file.
    const bool fallsBack = editor || (!shipped && !starting);
    const Json::Value left = fallsBack ? LevelDocument() : Json::Value();
    TearDownLevel();
    try {
        BuildLevel(document, name);
    } catch (const std::exception& error) {
        if (!editor && !saved) throw;
        TearDownLevel();
        if (editor) {
            BuildLevel(left, Engine::GetCurrentLevelName());
            throw;
        }
        SetAsideDamaged(savedPath, std::string("It cannot be built: ") + error.what());
        if (fallsBack) {
            // Set aside, the level exists nowhere: the one being left goes on.
            BuildLevel(left, Engine::GetCurrentLevelName());
            CheckLevelExists(name, false, "LoadLevel", kStays);
            DropChange();
            return LoadSaveFile();
        }
        BuildLevel(ReadShippedLevel(name), name);
    }
    // A change asked while the level was left or built (from a component's
    // Initialize, say) is carried out after this one: it stays pending.
    if (g_engine->reloadLevel)
        Engine::GetCurrentLevelName() = name;
    else
        Engine::SetLevel(name, true);
    LoadSaveFile();
}

bool LevelChangePending() {
    if (g_engine->reloadLevel) return true;
    // While a level is built the change that loads it is under way, not
    // pending, though the level left is still the current one.
    return !levelBeingBuilt && Engine::GetNextLevelName() != Engine::GetCurrentLevelName();
}

const std::string& LevelOfEntities() { return levelBeingBuilt ? *levelBeingBuilt : Engine::GetCurrentLevelName(); }

void LoadSaveFile() {
    if (Engine::GetRequestedMode() == Engine::kEditorMode) return;
    Json::Value document;
    try {
        ReadSaveFolderFile(SaveFilePath(), document);
    } catch (const debug::exception&) {
        // No save folder: the game starts afresh.
    }
    events::Call<Json::Value*>("LevelLoad", &document);
}
