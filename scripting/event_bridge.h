#pragma once
// Forwards sixteen of the engine's events to the Lua table `events`: once a
// script calls lb_connect_events, every occurrence reaches Lua as
// events.Call(name, arguments...). The listener of each is "LuaBinding"
// followed by the event name. Escape (key 256) is not forwarded.

#include <string>

// events.Register(name), as a protected call.
void LuaRegisterEvent(const std::string& name);

// Disconnects whatever the bridge connected; nothing for what it did not.
void LuaDisconnectEvents();
