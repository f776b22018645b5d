#include "core/entity/entity_table.h"

#include <algorithm>

#include "core/entity/entity_internal.h"

namespace engine {
namespace {

struct table {
    std::vector<entity_base> entities;
    std::vector<entity_handle> freeSlots;
    std::vector<entity_handle> pendingDestroys;  // each slot queued once: entity_base::queued
    std::vector<entity_handle> liveEntities;
    // Destroyed entities leave liveEntities in one pass, when the list is
    // next read or at the end of the flush, not one erase each.
    bool liveHasDestroyed = false;
    uint32_t entityIdCounter = 0;
    uint32_t generation = 0;
    bool tearingDown = false;  // DestroyAllEntities is running
};

table& Table() {
    static table state;
    return state;
}

entity_base& Slot(uint32_t slot) { return Table().entities[slot]; }

// A destroyed entity's handle is stale; a reused slot's new entity has a
// handle of its own.
void DropDestroyedFromLiveList() {
    table& state = Table();
    if (!state.liveHasDestroyed) return;
    std::erase_if(state.liveEntities, [](const entity_handle& live) { return !live.IsValid(); });
    state.liveHasDestroyed = false;
}

void DestroyResolved(const entity_handle& handle) {
    RemoveAllComponents(handle.GetBaseEntity().index);
    handle.GetBaseEntity().dead = true;
    Table().freeSlots.push_back(handle);
    Table().liveHasDestroyed = true;
}

}  // namespace

entity_handle CreateEntity() {
    table& state = Table();
    const uint32_t id = ++state.entityIdCounter;
    entity_handle handle;
    if (!state.freeSlots.empty()) {
        entity_base& entity = state.entities[state.freeSlots.back().index];
        state.freeSlots.pop_back();
        entity.dead = false;
        entity.queued = false;
        entity.position = {0.0f, 0.0f, 0.0f};
        entity.id = id;
        entity.name = "Entity";
        handle = {entity.index, id};
    } else {
        entity_base entity;
        entity.id = id;
        entity.index = static_cast<uint32_t>(state.entities.size());
        handle = {entity.index, id};
        state.entities.push_back(std::move(entity));
    }
    state.liveEntities.push_back(handle);
    return handle;
}

bool entity_handle::IsValid() const {
    const auto& entities = Table().entities;
    return index < entities.size() && entities[index].id == id && !entities[index].dead;
}

entity_base& entity_handle::GetBaseEntity() const {
    if (!IsValid()) throw debug::exception("entity_handle::GetBaseEntity: attempted to get wrong/dead ent!");
    return Table().entities[index];
}

void DestroyEntity(const entity_handle& handle, bool immediate) {
    if (immediate) {
        DestroyResolved(handle);
        return;
    }
    if (!handle.IsValid()) return;
    entity_base& entity = Slot(handle.GetIndex());
    if (entity.queued) return;
    entity.queued = true;
    Table().pendingDestroys.push_back(handle);
}

void FlushPendingDestroys() {
    table& state = Table();
    const size_t queued = state.pendingDestroys.size();
    if (queued == 0) return;
    for (size_t i = 0; i < queued; ++i) {
        const entity_handle handle = state.pendingDestroys[i];
        handle.GetBaseEntity().queued = false;
        DestroyResolved(handle);
    }
    // Requests made while the flush ran are dropped with their marks.
    for (size_t i = queued; i < state.pendingDestroys.size(); ++i)
        if (state.pendingDestroys[i].IsValid()) Slot(state.pendingDestroys[i].GetIndex()).queued = false;
    state.pendingDestroys.clear();
    DropDestroyedFromLiveList();
}

void DestroyAllEntities() {
    table& state = Table();
    // One walk over the entities live when the call began. While it runs no
    // component is attached anywhere: an entity a component's Remove makes
    // (a respawn, say) stays bare and goes with the table, so the walk ends
    // and nothing of it is left connected.
    const std::vector<entity_handle> walk = std::move(state.liveEntities);
    state.liveEntities.clear();
    state.tearingDown = true;
    struct EndTeardown {
        ~EndTeardown() { Table().tearingDown = false; }
    } endTeardown;
    for (const entity_handle& handle : walk)
        if (handle.IsValid()) DestroyResolved(handle);
    state.freeSlots.clear();
    state.pendingDestroys.clear();
    state.liveEntities.clear();
    state.entities.clear();
    state.entityIdCounter = 0;
    state.liveHasDestroyed = false;
    ++state.generation;
}

bool TakesComponents() { return !Table().tearingDown; }

const std::vector<entity_handle>& GetAllEntities() {
    // A component's Remove that walks the list during a flush sees only the
    // entities still alive.
    DropDestroyedFromLiveList();
    return Table().liveEntities;
}

uint32_t GetGeneration() { return Table().generation; }

// A component's Remove may create entities, which can move every record, so
// the record is looked up by slot again after each Remove. The component
// stays attached while its Remove runs.
void RemoveComponentAt(uint32_t slot, uint32_t typeId) {
    auto found = Slot(slot).components.find(typeId);
    if (found == Slot(slot).components.end()) return;
    RootComponent* component = found->second.get();
    component->Remove();
    auto& components = Slot(slot).components;
    auto again = components.find(typeId);
    if (again != components.end() && again->second.get() == component) components.erase(again);
}

void RemoveAllComponents(uint32_t slot) {
    while (!Slot(slot).components.empty()) RemoveComponentAt(slot, Slot(slot).components.begin()->first);
}

}  // namespace engine
