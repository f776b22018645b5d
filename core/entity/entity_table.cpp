#include "core/entity/entity_table.h"

#include <algorithm>

#include "core/entity/entity_internal.h"

namespace engine {
namespace {

// A removal takes effect in one pass over the list, not one erase each: a
// component removed from a live entity leaves a gap (a null component), and
// the ids of entities being destroyed are noted, whose entries all go. The
// pass runs when the list is read and at the end of every flush, whether or
// not anything reads the list, so no entry outlives the frame its component
// was removed in.
struct components_of_type {
    std::vector<held_component> held;
    std::vector<uint32_t> leaving;
    bool hasGaps = false;
};

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
    // By component type id: the attached components sorted by their
    // entities' ids, which is creation order.
    std::vector<components_of_type> byType;
};

table& Table() {
    static table state;
    return state;
}

entity_base& Slot(uint32_t slot) { return Table().entities[slot]; }

std::vector<held_component>::iterator FindHeld(std::vector<held_component>& held, uint32_t id) {
    return std::lower_bound(held.begin(), held.end(), id,
                            [](const held_component& entry, uint32_t wanted) { return entry.owner.GetId() < wanted; });
}

void NoteDetached(const entity_handle& owner, uint32_t typeId, bool entityLeaves) {
    table& state = Table();
    if (typeId >= state.byType.size()) return;
    components_of_type& type = state.byType[typeId];
    if (entityLeaves) {
        type.leaving.push_back(owner.GetId());
        return;
    }
    const auto at = FindHeld(type.held, owner.GetId());
    if (at == type.held.end() || at->owner.GetId() != owner.GetId()) return;
    at->component = nullptr;
    type.hasGaps = true;
}

// Calls the component's Remove, then deletes it. A component's Remove may
// create entities, which can move every record, so the record is looked up
// by slot again after each Remove. The component stays attached while its
// Remove runs.
void RemoveAt(uint32_t slot, uint32_t typeId, bool entityLeaves) {
    auto found = Slot(slot).components.find(typeId);
    if (found == Slot(slot).components.end()) return;
    RootComponent* component = found->second.get();
    component->Remove();
    auto& components = Slot(slot).components;
    auto again = components.find(typeId);
    if (again != components.end() && again->second.get() == component) {
        components.erase(again);
        NoteDetached({slot, Slot(slot).id}, typeId, entityLeaves);
    }
}

void RemoveAll(uint32_t slot, bool entityLeaves) {
    while (!Slot(slot).components.empty()) RemoveAt(slot, Slot(slot).components.begin()->first, entityLeaves);
}

// A destroyed entity's handle is stale; a reused slot's new entity has a
// handle of its own.
void DropDestroyedFromLiveList() {
    table& state = Table();
    if (!state.liveHasDestroyed) return;
    std::erase_if(state.liveEntities, [](const entity_handle& live) { return !live.IsValid(); });
    state.liveHasDestroyed = false;
}

// Gives back the room of a list that has shrunk to a quarter of it, so that
// its memory follows what is live once a crowded moment has passed. The
// margin, and keeping room for twice what is left, spare a list that swells
// and drains every frame from giving back and taking again each time.
void GiveBackSpareRoom(components_of_type& type) {
    constexpr size_t kMargin = 64;
    const size_t live = type.held.size();
    if (type.held.capacity() > 4 * live + kMargin) {
        std::vector<held_component> fitted;
        fitted.reserve(2 * live);
        fitted.assign(type.held.begin(), type.held.end());
        type.held.swap(fitted);
    }
    // Empty after every pass; at most as many leave at once as are held.
    if (type.leaving.capacity() > 4 * live + kMargin) std::vector<uint32_t>().swap(type.leaving);
}

// Drops the gaps and the entries of destroyed entities in one pass.
void Compact(components_of_type& type) {
    if (!type.hasGaps && type.leaving.empty()) return;
    // Both sorted by id: one pass drops the gaps and the leavers. Entities
    // mostly go in the order they came, so the ids often need no sorting.
    if (!std::is_sorted(type.leaving.begin(), type.leaving.end()))
        std::sort(type.leaving.begin(), type.leaving.end());
    // Every entry is copied down, and whether it stays only moves the place
    // of the next: the entries that go follow no pattern a branch could learn.
    const uint32_t* leaver = type.leaving.data();
    const uint32_t* const lastLeaver = leaver + type.leaving.size();
    size_t kept = 0;
    for (const held_component entry : type.held) {
        const uint32_t id = entry.owner.GetId();
        while (leaver != lastLeaver && *leaver < id) ++leaver;
        const bool leaves = (entry.component == nullptr) | (leaver != lastLeaver && *leaver == id);
        type.held[kept] = entry;
        kept += !leaves;
    }
    type.held.resize(kept);
    type.leaving.clear();
    type.hasGaps = false;
    GiveBackSpareRoom(type);
}

void DestroyResolved(const entity_handle& handle) {
    RemoveAll(handle.GetBaseEntity().index, true);
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
    // Components removed during the frame, not only here, leave their lists.
    for (components_of_type& type : state.byType) Compact(type);
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
    state.byType.clear();
    ++state.generation;
}

bool TakesComponents() { return !Table().tearingDown; }

const std::vector<entity_handle>& GetAllEntities() {
    // A component's Remove that walks the list during a flush sees only the
    // entities still alive.
    DropDestroyedFromLiveList();
    return Table().liveEntities;
}

const std::vector<held_component>& GetComponentsOfType(uint32_t typeId) {
    static const std::vector<held_component> none;
    table& state = Table();
    if (typeId >= state.byType.size()) return none;
    components_of_type& type = state.byType[typeId];
    Compact(type);
    return type.held;
}

size_t ComponentListCapacity(uint32_t typeId) {
    const table& state = Table();
    if (typeId >= state.byType.size()) return 0;
    const components_of_type& type = state.byType[typeId];
    return type.held.capacity() + type.leaving.capacity();
}

std::span<const entity_base> GetRecords() { return Table().entities; }

uint32_t GetGeneration() { return Table().generation; }

void NoteAttached(const entity_handle& owner, uint32_t typeId, RootComponent* component) {
    table& state = Table();
    if (typeId >= state.byType.size()) state.byType.resize(typeId + 1);
    std::vector<held_component>& held = state.byType[typeId].held;
    const auto at = FindHeld(held, owner.GetId());
    if (at != held.end() && at->owner.GetId() == owner.GetId())
        *at = {owner, component};  // the gap its earlier one of this type left
    else
        held.insert(at, {owner, component});
}

void RemoveComponentAt(uint32_t slot, uint32_t typeId) { RemoveAt(slot, typeId, false); }

void RemoveAllComponents(uint32_t slot) { RemoveAll(slot, false); }

}  // namespace engine
