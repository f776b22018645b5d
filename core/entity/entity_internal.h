#pragma once
// Shared by the entity table's own files; not for use outside core/entity.
#include <cstdint>

#include "core/entity/entity_handle.h"

class RootComponent;

namespace engine {

// Calls the component's Remove, then deletes it; nothing when absent.
void RemoveComponentAt(uint32_t slot, uint32_t typeId);
// Removes every component in ascending type id.
void RemoveAllComponents(uint32_t slot);
// False while every entity is being destroyed: nothing attached then could
// outlive the table.
bool TakesComponents();
// Enters a component just stored in its entity's map into its type's list.
void NoteAttached(const entity_handle& owner, uint32_t typeId, RootComponent* component);

}  // namespace engine
