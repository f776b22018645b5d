#pragma once

namespace components {

// Registers the built-in component types in their fixed order, so that they
// get the ids their level files and scripts expect. Once, before any entity.
void RegisterAll();

}  // namespace components
