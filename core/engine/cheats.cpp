#include "core/engine/cheats.h"

#include "core/events/events.h"

Cheats::Cheats() {
    events::Connect<int>("KeyPressed", "CheatsKeyPressed", [this](int key) { OnKeyPressed(key); });
}

Cheats::~Cheats() { events::Disconnect("KeyPressed", "CheatsKeyPressed"); }

void Cheats::OnKeyPressed(int) {}
