#pragma once
// The editor aid of sprites, point lights and shadow casters: while its owner
// is the entity selected in the editor, a component draws an outline on
// "DebugDraw". Both listeners go by one id, the component's base id followed
// by the owner's entity id, and hold only the owner's handle: each finds the
// component again when it runs, so one that runs after a script removed the
// component (in the same event) does nothing.
//
// T has a bool `hooked` (the drawer is connected) and DrawSelectionOutline().

#include <functional>
#include <string>

#include <glm/vec4.hpp>

#include "core/entity/find_component.h"
#include "core/events/events.h"

namespace selection_outline {

std::string ListenerId(const char* base, const engine::entity_handle& owner);

// Connects the drawer on "DebugDraw" when the owner becomes selected and
// disconnects it when another entity does.
void Select(bool& hooked, bool ownerSelected, const std::string& id, std::function<void()> draw);

// Connects the selection listener on "EditorSelectedEntity".
template <typename T>
void Listen(const engine::entity_handle& owner, const std::string& id) {
    events::Connect<engine::entity_handle>("EditorSelectedEntity", id, [owner, id](engine::entity_handle selected) {
        T* component = engine::FindComponent<T>(owner);
        if (component == nullptr) return;
        Select(component->hooked, selected == owner, id, [owner] {
            if (T* found = engine::FindComponent<T>(owner)) found->DrawSelectionOutline();
        });
    });
}

// Disconnects both listeners and clears hooked.
void Stop(bool& hooked, const std::string& id);

// Runs draw in the colour, then gives the debug colour back.
void InColour(glm::vec4 colour, const std::function<void()>& draw);

}  // namespace selection_outline
