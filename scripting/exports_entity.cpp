// Entities: creation, destruction, position and components by type name. A
// stale entity logs the entity table's message and changes nothing.
#include "core/entity/entity_table.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"

lb_entity lb_create_entity() {
    return AtEdge(lb_entity{0, 0}, [] {
        const engine::entity_handle entity = engine::CreateEntity();
        return lb_entity{entity.GetIndex(), entity.GetId()};
    });
}

// Queued for the end of the frame; a stale or already queued entity is ignored.
void lb_destroy_entity(uint32_t index, uint32_t id) {
    AtEdge([&] { engine::DestroyEntity(MakeEntityHandle(index, id), false); });
}

void lb_entity_add_component(uint32_t index, uint32_t id, const char* type) {
    AtEdge([&] { MakeEntityHandle(index, id).AddComponent(Text(type), Json::Value()); });
}

lb_vec2 lb_entity_get_pos(uint32_t index, uint32_t id) {
    return AtEdge(lb_vec2{0.0f, 0.0f}, [&] {
        const glm::vec3 position = MakeEntityHandle(index, id).GetPosition();
        return lb_vec2{position.x, position.y};
    });
}

bool lb_entity_has_component(uint32_t index, uint32_t id, const char* type) {
    return AtEdge(false, [&] { return MakeEntityHandle(index, id).GetBaseEntity().HasComponent(Text(type)); });
}

void lb_entity_remove_component(uint32_t index, uint32_t id, const char* type) {
    AtEdge([&] { MakeEntityHandle(index, id).RemoveComponent(Text(type)); });
}

void lb_entity_set_pos(uint32_t index, uint32_t id, float x, float y) {
    AtEdge([&] {
        const engine::entity_handle entity = MakeEntityHandle(index, id);
        entity.SetPosition(x, y, entity.GetPosition().z);
    });
}

void lb_entity_set_z(uint32_t index, uint32_t id, float z) {
    AtEdge([&] {
        const engine::entity_handle entity = MakeEntityHandle(index, id);
        const glm::vec3 position = entity.GetPosition();
        entity.SetPosition(position.x, position.y, z);
    });
}
