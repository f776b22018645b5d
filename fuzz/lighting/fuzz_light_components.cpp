// Entities with lights and shadow casters from outside bytes, as a level
// load reads them, then culled, selected and saved again.
#include <cstddef>
#include <cstdint>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "fuzz/entities_from_bytes.h"
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
    if (!CreateEntitiesFromBytes(data, size)) return 0;
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
