#pragma once
// The entity table: every entity of the level, its free slots (reused last
// freed first), the queue of deferred destructions and the live entities in
// creation order.

#include <span>
#include <vector>

#include "core/entity/entity_base.h"
#include "core/entity/entity_handle.h"

namespace engine {

entity_handle CreateEntity();

// With immediate false the entity is queued for the next flush (a stale
// handle or a repeated request is ignored); with immediate true it is
// destroyed now, which only DestroyAllEntities does.
void DestroyEntity(const entity_handle& handle, bool immediate);

// Destroys the queued entities in request order. Requests made while the
// flush runs are dropped.
void FlushPendingDestroys();

// Destroys every entity live when it is called and empties the table; ids
// restart at 1, slots at 0. Entities made meanwhile (by a component's Remove)
// take no components and are dropped with the table.
void DestroyAllEntities();

// The live entities in creation order.
const std::vector<entity_handle>& GetAllEntities();

// One entity's component of one type.
struct held_component {
    entity_handle owner;
    RootComponent* component;
};

// Every attached component of one type id with its entity, in the order of
// GetAllEntities, for walks over one kind of component that would otherwise
// search every entity. Ask again after any change: the list and its pointers
// stay valid only until a component of that type is next attached or removed
// (or its entity destroyed).
const std::vector<held_component>& GetComponentsOfType(uint32_t typeId);

// The entries one type id's list has room for, the entries of components
// removed since it was last tidied included: what the list costs in memory.
// After a flush it is within a small factor of that type's live components.
size_t ComponentListCapacity(uint32_t typeId);

// The table's records by slot, for walks over those lists without resolving
// every handle again: their entries always name live entities. Valid until
// the next CreateEntity.
std::span<const entity_base> GetRecords();

// Counts DestroyAllEntities calls. Ids restart with every generation, so a
// handle kept from an earlier one may name an entity of this one: whoever
// keeps handles across frames compares generations.
uint32_t GetGeneration();

}  // namespace engine
