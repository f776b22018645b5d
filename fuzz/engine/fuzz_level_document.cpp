// A level document from outside bytes, as a level load reads it: the JSON
// text (and what the writer makes of it), the tile grid, the lighting values
// and the entities with their components.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/components/base_component.h"
#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/json/json_text.h"
#include "core/lighting/level_lighting.h"
#include "graphics/tile_map.h"

namespace {

// Stands in for a component type with saved keys of its own.
class Marker : public BaseComponent<Marker> {
public:
    void Initialize() override {}
    void Remove() override {}
    Json::Value Serialize() override { return saved; }
    void Deserialize(Json::Value json) override { saved = json; }
    void EditInfoDisplay() override {}

    Json::Value saved;
};

// What one run may build. The reader's own limits are far larger (millions
// of cells); building that much on every run only fills the sanitizers'
// allocator, and the run's memory limit could no longer tell that from a
// fault in the reader.
constexpr double kMostCells = 1 << 16;
constexpr Json::ArrayIndex kMostEntities = 256;

bool SmallGrid(const Json::Value& map) {
    if (!map.isObject()) return true;
    const double width = map["width"].isNumeric() ? map["width"].asDouble() : 0;
    const double height = map["height"].isNumeric() ? map["height"].asDouble() : 0;
    return !(width * height > kMostCells) && !(width > kMostCells) && !(height > kMostCells);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (components::Register<Marker>("Marker"), true);
    (void)registered;
    Json::Value document;
    std::string errors;
    if (!ParseJsonText(std::string(reinterpret_cast<const char*>(data), size), document, errors)) return 0;
    // What the writer makes of any document reads back, and is made again
    // the same: a level saved twice without an edit does not change.
    const std::string written = FormatJsonText(document);
    Json::Value again;
    if (!ParseJsonText(written, again, errors) || FormatJsonText(again) != written) __builtin_trap();
    if (!document.isObject()) return 0;
    if (!SmallGrid(document["tile_map"])) return 0;
    try {
        const TileGrid grid = ReadTileGrid(document["tile_map"]);
        (void)FormatTiles(grid);
    } catch (const debug::exception&) {
    }
    ApplyLevelLighting(document["graphics"]);
    (void)LevelLightingToJson();
    const Json::Value& entities = document["entities"];
    if (entities.isArray() && entities.size() <= kMostEntities) {
        for (const Json::Value& entity : entities) {
            try {
                const engine::entity_handle handle = engine::CreateEntity();
                handle.Deserialize(entity);
                (void)handle.Serialize();
            } catch (const debug::exception&) {
            }
        }
    }
    engine::DestroyAllEntities();
    return 0;
}
