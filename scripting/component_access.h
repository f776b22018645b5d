#pragma once
// The shape every export over one component of an entity shares: rebuild
// the handle from the two integers Lua passed, find the entity's component
// of type T and act on it. An entity without one logs the export's own line,
//   "Lua Error: Attempted to " + verb + MissingSuffix<T>(),
// and gets the neutral result. A stale entity (or an index outside the
// table) throws while the component is looked for, and the edge turns that
// into the entity table's message and the same neutral result.

#include <cstdint>
#include <string>

#include <glm/vec2.hpp>

#include "core/diagnostics/debug_print.h"
#include "core/entity/entity_base.h"
#include "scripting/export_edge.h"

// " on component with no sprite", " on entity with no box collider", ...:
// each family's file gives the words for its own types.
template <typename T>
const char* MissingSuffix();

template <typename T, typename Result, typename Effect>
Result OnComponent(uint32_t index, uint32_t id, const char* verb, Result neutral, Effect&& effect) {
    return AtEdge(neutral, [&]() -> Result {
        const engine::entity_handle entity = MakeEntityHandle(index, id);
        if (!entity.HasComponent<T>()) {
            DebugPrint(std::string("Lua Error: Attempted to ") + verb + MissingSuffix<T>());
            return neutral;
        }
        return effect(*entity.GetBaseEntity().Get<T>());
    });
}

// The setters, which return nothing.
template <typename T, typename Effect>
void OnComponent(uint32_t index, uint32_t id, const char* verb, Effect&& effect) {
    OnComponent<T>(index, id, verb, false, [&](T& component) {
        effect(component);
        return true;
    });
}

inline lb_vec2 ToLua(glm::vec2 v) { return {v.x, v.y}; }
