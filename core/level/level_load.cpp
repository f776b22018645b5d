#include "core/engine/engine.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "core/level/level_io.h"
#include "core/lighting/level_lighting.h"
#include "graphics/tile_map.h"

namespace {

// In the editor the shipped level is read, never a saved copy. A saved copy
// that is damaged is set aside and the shipped level read instead, so a
// player is never locked out by it; a damaged shipped level ends the game.
Json::Value ReadLevel(const std::string& name) {
    Json::Value document;
    if (Engine::GetRequestedMode() != Engine::kEditorMode) {
        try {
            if (ReadSaveFolderFile(SavedLevelPath(name), document)) return document;
        } catch (const debug::exception&) {
            // No save folder: the shipped level stands in.
        }
    }
    const std::string path = ShippedLevelPath(name);
    std::string problem;
    if (ReadJsonFile(path, document, problem) == JsonFileRead::Read) return document;
    throw debug::exception("Level \"" + path + "\" cannot be loaded:\n" + problem);
}

}  // namespace

void LoadLevel(const std::string& name) {
    UnloadLevel();
    engine::DestroyAllEntities();
    DestroyTileMap();
    const Json::Value document = ReadLevel(name);
    // A null document is an empty level.
    if (!document.isObject() && !document.isNull()) throw debug::exception("LoadLevel: level \"" + name + "\" is not a JSON object");
    CreateTileMap();
    GetTileMap()->Deserialize(document["tile_map"]);
    const Json::Value& entities = document["entities"];
    if (entities.isArray())
        for (const Json::Value& entity : entities) engine::CreateEntity().Deserialize(entity);
    ApplyLevelLighting(document["graphics"]);
    Engine::SetLevel(name, true);
    LoadSaveFile();
}

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
