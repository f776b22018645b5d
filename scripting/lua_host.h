#pragma once
// The one Lua state the game's logic runs in. Creating the host opens the
// standard libraries (the foreign-function interface among them) and runs
// the start-up scripts: "lua/engine/init.lua", then every script of
// "lua/autorun/" and then of "lua/components/", each folder in name order.
// Deleting it disconnects the event bridge and closes the state. The engine
// creates it last and deletes it first; the editor replaces it to reload
// every script.
//
// Scripts run in LuaJIT's interpreter: its compiler stays off for the state
// (see lua_host.cpp for why).
//
// Every call from the engine into Lua is a protected call: a Lua error is
// logged as one line and popped, and the engine goes on. With no host the
// calls and pushes below do nothing. Globals are looked up by name at every
// call, so nothing goes stale across a reload.

#include <cstdint>
#include <string>

#include <json/value.h>

struct lua_State;

namespace engine {
class entity_handle;
}

class LuaHost {
public:
    // Throws debug::exception when the state cannot be made or
    // "lua/engine/init.lua" is missing, does not compile or raises an error;
    // the state is closed by then and no host is current.
    LuaHost();
    ~LuaHost();
    LuaHost(const LuaHost&) = delete;
    LuaHost& operator=(const LuaHost&) = delete;

    lua_State* state = nullptr;
};

// The engine creates the one host last and destroys it first; the editor
// destroys it and creates a new one to reload every script. Creating throws
// as the constructor does, and then no host exists.
void CreateLuaHost();
void DestroyLuaHost();

// The current host's state; null while no host exists. A host is current
// from the start of its start-up scripts until it is deleted.
lua_State* GetLuaState();

// Calls the function below its nargs arguments on the stack. On an error the
// error is logged and popped, leaving the stack as it was before the function
// was pushed; true when the call succeeded. With error given, a Lua error's
// text goes there instead of the log. Calls nested 200 deep (Lua calling the
// engine calling Lua, over and over) are cut: the innermost is not made, one
// "Lua Error" line says so (error is left as it was), and no further call is
// made until the outermost has returned.
bool LuaProtectedCall(int nargs, int nresults, std::string* error = nullptr);

// Push the global function of that name (nil when there is none).
void LuaPushGlobal(const char* name);

// Push the Lua object for an entity (through lb_CreateEntity) or for a
// 2-vector (through lb_CreateVector). When that fails the error is logged and
// nil stands in its place, so later arguments keep their positions.
void LuaPushEntity(const engine::entity_handle& handle);
void LuaPushVector(float x, float y);

// Pushes a table of the document's string and number members under their
// keys; every other member (and every member of a non-object) is left out.
void LuaPushFlatTable(const Json::Value& document);
