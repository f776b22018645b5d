#pragma once
// The pairs of entities touching at their last test. A pair whose entity is destroyed leaves the list at the
// next DropDestroyed, so it never names an entity of a later level (ids
// restart at every level load).

#include <cstddef>
#include <functional>

#include "core/entity/entity_handle.h"

namespace pair_list {

// Whether a and b are listed, in either order.
bool Contains(const engine::entity_handle& a, const engine::entity_handle& b);
void Add(const engine::entity_handle& a, const engine::entity_handle& b);
// Unlists a and b (either order).
void Remove(const engine::entity_handle& a, const engine::entity_handle& b);
void DropDestroyed();
size_t Size();
// Each listed pair, in no particular order; the visit must not change the list.
void ForEach(const std::function<void(const engine::entity_handle&, const engine::entity_handle&)>& visit);

}  // namespace pair_list
