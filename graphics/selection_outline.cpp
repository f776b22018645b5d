#include "graphics/selection_outline.h"

#include "graphics/debug_draw.h"

namespace selection_outline {

std::string ListenerId(const char* base, const engine::entity_handle& owner) {
    return base + std::to_string(owner.GetId());
}

void Select(bool& hooked, bool ownerSelected, const std::string& id, std::function<void()> draw) {
    if (!hooked && ownerSelected) {
        // A copy can take a cleared flag over a connected drawer; connecting
        // twice would end the game.
        events::Disconnect("DebugDraw", id);
        events::Connect<>("DebugDraw", id, std::move(draw));
        hooked = true;
    } else if (hooked && !ownerSelected) {
        events::Disconnect("DebugDraw", id);
        hooked = false;
    }
}

void Stop(bool& hooked, const std::string& id) {
    events::Disconnect("EditorSelectedEntity", id);
    events::Disconnect("DebugDraw", id);
    hooked = false;
}

void InColour(glm::vec4 colour, const std::function<void()>& draw) {
    const glm::vec4 saved = DebugDraw::GetColor();
    DebugDraw::SetColor(colour.r, colour.g, colour.b, colour.a);
    draw();
    DebugDraw::SetColor(saved.r, saved.g, saved.b, saved.a);
}

}  // namespace selection_outline
