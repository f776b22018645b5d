#pragma once
// Shared by the entity table's own files; not for use outside core/entity.
#include <cstdint>

namespace engine {

// Calls the component's Remove, then deletes it; nothing when absent.
void RemoveComponentAt(uint32_t slot, uint32_t typeId);
// Removes every component in ascending type id.
void RemoveAllComponents(uint32_t slot);
// False while every entity is being destroyed: nothing attached then could
// outlive the table.
bool TakesComponents();

}  // namespace engine
