// Entities with lights and shadow casters from outside bytes, as a level
// load reads them, then culled, selected and saved again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include <json/reader.h>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "graphics/light_culling.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"

namespace {

bool Setup() {
    components::Register<MoonLight>("MoonLight");
    components::Register<PointLight>("PointLight");
    components::Register<ShadowCaster>("ShadowCaster");
    events::Register<engine::entity_handle>("EditorSelectedEntity");
    events::Register<>("DebugDraw");
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = Setup();
    (void)ready;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Json::Value entities;
    try {
        in >> entities;
    } catch (const Json::Exception&) {
        return 0;
    }
    if (!entities.isArray()) return 0;
    // A few dozen entities reach every path; more only fill memory.
    for (Json::ArrayIndex i = 0; i < entities.size() && i < 64; ++i) {
        try {
            engine::CreateEntity().Deserialize(entities[i]);
        } catch (const debug::exception&) {
            // An unknown component name stops the load, as in a level.
        }
    }
    light_culling::Lists lists;
    light_culling::Cull({{0, 0, 0}, {-249, 140, 0}}, engine::GetAllEntities(), 10.0f, lists);
    for (const engine::entity_handle& entity : engine::GetAllEntities()) {
        events::Call<engine::entity_handle>("EditorSelectedEntity", entity);
        (void)entity.Serialize();
    }
    events::Call<>("DebugDraw");  // no vector context: outlines draw nothing
    engine::DestroyAllEntities();
    return 0;
}
