#pragma once
// The entity table: every entity of the level, its free slots (reused last
// freed first), the queue of deferred destructions and the live entities in
// creation order.

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

// Counts DestroyAllEntities calls. Ids restart with every generation, so a
// handle kept from an earlier one may name an entity of this one: whoever
// keeps handles across frames compares generations.
uint32_t GetGeneration();

}  // namespace engine
