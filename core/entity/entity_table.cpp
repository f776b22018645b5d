#include "core/entity/entity_table.h"

#include <algorithm>
#include <unordered_set>

#include "core/entity/entity_internal.h"

namespace engine {
namespace {

struct table {
    std::vector<entity_base> entities;
    std::vector<entity_handle> freeSlots;
    std::vector<entity_handle> pendingDestroys;
    std::unordered_set<uint32_t> pendingIds;  // the ids in pendingDestroys
    std::vector<entity_handle> liveEntities;
    uint32_t entityIdCounter = 0;
    uint32_t generation = 0;
};

table& Table() {
    static table state;
    return state;
}

entity_base& Slot(uint32_t slot) { return Table().entities[slot]; }

void DestroyResolved(const entity_handle& handle) {
    RemoveAllComponents(handle.GetBaseEntity().index);
    handle.GetBaseEntity().dead = true;
    Table().freeSlots.push_back(handle);
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
    table& state = Table();
    if (!handle.IsValid() || !state.pendingIds.insert(handle.GetId()).second) return;
    state.pendingDestroys.push_back(handle);
}

void FlushPendingDestroys() {
    table& state = Table();
    // Destroyed entities leave the live list in one pass rather than one
    // erase each, but always before a component's Remove runs, since that
    // may walk the list.
    std::unordered_set<uint32_t> unlisted;
    auto dropUnlisted = [&] {
        if (unlisted.empty()) return;
        std::erase_if(state.liveEntities, [&](const entity_handle& live) { return unlisted.count(live.GetId()) > 0; });
        unlisted.clear();
    };
    const size_t queued = state.pendingDestroys.size();
    try {
        for (size_t i = 0; i < queued; ++i) {
            const entity_handle handle = state.pendingDestroys[i];
            if (!handle.GetBaseEntity().components.empty()) dropUnlisted();
            DestroyResolved(handle);
            unlisted.insert(handle.GetId());
        }
    } catch (...) {
        dropUnlisted();
        throw;
    }
    dropUnlisted();
    state.pendingDestroys.clear();
    state.pendingIds.clear();
}

void DestroyAllEntities() {
    table& state = Table();
    // Entities created by a component's Remove during the walk join the live
    // list and are destroyed by the next round, so none is dropped with its
    // listeners still connected.
    while (!state.liveEntities.empty()) {
        const std::vector<entity_handle> walk = std::move(state.liveEntities);
        state.liveEntities.clear();
        for (const entity_handle& handle : walk)
            if (handle.IsValid()) DestroyResolved(handle);
    }
    state.freeSlots.clear();
    state.pendingDestroys.clear();
    state.pendingIds.clear();
    state.entities.clear();
    state.entityIdCounter = 0;
    ++state.generation;
}

const std::vector<entity_handle>& GetAllEntities() { return Table().liveEntities; }

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
