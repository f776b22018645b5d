#pragma once
// Counts the physics components (colliders, rays, rigid bodies) made or
// removed so far, in any entity. Pointers to them found while the count has
// not moved still name the same live components, so whoever keeps such
// pointers for a while looks them up again only when it has.

#include <cstdint>

namespace component_changes {

uint64_t Count();
// Called by each physics component as it starts and as it is removed.
void Note();

}  // namespace component_changes
