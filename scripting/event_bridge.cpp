#include "scripting/event_bridge.h"

#include <functional>
#include <vector>

#include <lua.hpp>

#include "core/events/events.h"
#include "physics/collision_detection.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"
#include "scripting/lua_host.h"
#include "scripting/serialize_target.h"

namespace {

constexpr int kEscape = 256;
const std::string kListenerPrefix = "LuaBinding";

// Pushes events[field] as a plain function; nil when `events` is not a table,
// so that the protected call reports it instead of Lua aborting.
void PushEventsField(lua_State* L, const char* field) {
    lua_getfield(L, LUA_GLOBALSINDEX, "events");
    if (lua_istable(L, -1)) {
        lua_getfield(L, -1, field);
        lua_remove(L, -2);
    } else {
        lua_settop(L, -2);
        lua_pushnil(L);
    }
}

// Calls events.Call(name, ...) with what push leaves on the stack.
void CallLua(const std::string& name, const std::function<int(lua_State*)>& push) {
    lua_State* L = GetLuaState();
    if (!L) return;
    PushEventsField(L, "Call");
    lua_pushlstring(L, name.data(), name.size());
    const int pushed = push(L);
    LuaProtectedCall(1 + pushed, 0);
}

void ForwardNothing(const std::string& name) {
    CallLua(name, [](lua_State*) { return 0; });
}

void ForwardTime(const std::string& name, float time) {
    CallLua(name, [time](lua_State* L) {
        lua_pushnumber(L, static_cast<double>(time));
        return 1;
    });
}

void ForwardCode(const std::string& name, int code) {
    CallLua(name, [code](lua_State* L) {
        lua_pushinteger(L, code);
        return 1;
    });
}

void ForwardKey(const std::string& name, int key) {
    if (key == kEscape) return;  // the pause menu's own key
    ForwardCode(name, key);
}

// (name, A, B, contact point, separation, direction).
void ForwardCollision(const std::string& name, CollisionDetection::CollisionDataObj record) {
    CallLua(name, [&record](lua_State* L) {
        LuaPushEntity(record.entityA);
        LuaPushEntity(record.entityB);
        LuaPushVector(record.contactPoint.x, record.contactPoint.y);
        lua_pushnumber(L, static_cast<double>(record.separation));
        LuaPushVector(record.direction.x, record.direction.y);
        return 5;
    });
}

// Lua writes what must survive into the save document during the call.
void ForwardUnload(const std::string& name, Json::Value* document) {
    SerializeTargetScope target(document);
    ForwardNothing(name);
}

void ForwardLoad(const std::string& name, Json::Value* document) {
    CallLua(name, [document](lua_State*) {
        LuaPushFlatTable(document ? *document : Json::Value());
        return 1;
    });
}

struct BridgedEvent {
    std::string name;
    std::function<void(const std::string& name, const std::string& listener)> connect;
};

template <typename... Args>
BridgedEvent Bridge(const std::string& name, void (*forward)(const std::string&, Args...)) {
    return {name, [forward](const std::string& event, const std::string& listener) {
                events::Connect<Args...>(event, listener, [event, forward](Args... args) { forward(event, args...); });
            }};
}

// In the order they are connected and disconnected.
const std::vector<BridgedEvent>& BridgedEvents() {
    static const std::vector<BridgedEvent> bridged = {
        Bridge("PreLogicUpdate", ForwardTime),
        Bridge("LogicUpdate", ForwardTime),
        Bridge("DebugDraw", ForwardNothing),
        Bridge("KeyPressed", ForwardKey),
        Bridge("KeyReleased", ForwardKey),
        Bridge("MouseButtonPressed", ForwardCode),
        Bridge("MouseButtonReleased", ForwardCode),
        Bridge("OnCollisionStarted", ForwardCollision),
        Bridge("OnCollisionPersisted", ForwardCollision),
        Bridge("OnCollisionEnded", ForwardCollision),
        Bridge("LevelUnload", ForwardUnload),
        Bridge("LevelLoad", ForwardLoad),
        Bridge("PauseMenuPaused", ForwardNothing),
        Bridge("PauseMenuUnPaused", ForwardNothing),
        Bridge("PauseMenuConfirmClose", ForwardNothing),
        Bridge("PostDraw", ForwardNothing),
    };
    return bridged;
}

}  // namespace

void LuaRegisterEvent(const std::string& name) {
    lua_State* L = GetLuaState();
    if (!L) return;
    PushEventsField(L, "Register");
    lua_pushlstring(L, name.data(), name.size());
    LuaProtectedCall(1, 0);
}

void LuaDisconnectEvents() {
    for (const BridgedEvent& event : BridgedEvents()) {
        try {
            events::Disconnect(event.name, kListenerPrefix + event.name);
        } catch (const std::exception&) {
            // An event the engine never registered has nothing to disconnect.
        }
    }
}

// Once per Lua state: a second call fails at the first event with the
// registry's duplicate-listener message.
void lb_connect_events() {
    AtEdge([] {
        for (const BridgedEvent& event : BridgedEvents()) {
            LuaRegisterEvent(event.name);
            event.connect(event.name, kListenerPrefix + event.name);
        }
    });
}
