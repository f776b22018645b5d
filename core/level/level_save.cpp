#include <utility>

#include "core/components/registry.h"
#include "core/engine/engine.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/json/json_text.h"
#include "core/level/level_files.h"
#include "core/level/level_io.h"
#include "core/lighting/level_lighting.h"
#include "graphics/tile_map.h"

namespace {

// The engine's numbers are floats, written as 0.6 rather than as the double
// 0.60000002384185791; a component written in Lua holds a script's doubles,
// which are written exactly.
Json::Value EntityDocument(const engine::entity_handle& entity) {
    Json::Value saved = entity.Serialize();
    WriteAsFloats(saved["pos"]);
    for (Json::Value& component : saved["components"])
        if (!components::IsScripted(component["__component_name"].asString())) WriteAsFloats(component);
    return saved;
}

}  // namespace

Json::Value LevelDocument() {
    Json::Value document(Json::objectValue);
    document["tile_map"] = GetTileMap() ? GetTileMap()->Serialize() : Json::Value();
    Json::Value entities;  // stays null for a level without entities
    // Walks a copy: saving a component may create entities.
    const std::vector<engine::entity_handle> all = engine::GetAllEntities();
    for (const engine::entity_handle& entity : all) entities.append(EntityDocument(entity));
    document["entities"] = std::move(entities);
    document["graphics"] = LevelLightingToJson();
    WriteAsFloats(document["tile_map"]);
    WriteAsFloats(document["graphics"]);
    return document;
}

void UnloadLevel() {
    Json::Value document;
    events::Call<Json::Value*>("LevelUnload", &document);
    engine::FlushPendingDestroys();
    events::Call<Json::Value*>("LevelUnloadFinished", &document);
    const bool editorInvolved = Engine::GetRequestedMode() == Engine::kEditorMode || Engine::GetMode() == Engine::kEditorMode;
    if (!Engine::GetSaveOnUnload() || editorInvolved) {
        Engine::SetSaveOnUnload(true);
        return;
    }
    if (!document.isObject()) document = Json::Value(Json::objectValue);
    document["last_level"] = Engine::GetCurrentLevelName();
    try {
        WriteJsonFile(SaveFilePath(), document);
    } catch (const debug::exception&) {
        // No save folder: nothing is written.
    }
}

bool SaveLevel(const std::string& name, bool toSaveFolder) {
    if (!CheckLevelName(name, "SaveLevel", "nothing is written")) return false;
    if (Engine::GetMode() == Engine::kEditorMode) {
        // Lets scripts tidy up (their writes are dropped) before the level is
        // written, so entities they remove are not saved.
        Json::Value scratch;
        events::Call<Json::Value*>("LevelUnload", &scratch);
        engine::FlushPendingDestroys();
    }
    std::string path;
    try {
        path = toSaveFolder ? SavedLevelPath(name) : ShippedLevelPath(name);
    } catch (const debug::exception&) {
        return false;
    }
    return WriteJsonFile(path, LevelDocument());
}

void OnLuaSaveLevelOnUnload(Json::Value*) {
    SaveLevel(Engine::GetCurrentLevelName(), true);
    events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload");
}
