#include "scripting/lua_host.h"

#include <algorithm>
#include <string>

#include <lua.hpp>
#include <luajit.h>

#include "core/components/registry.h"
#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/entity/entity_handle.h"
#include "core/save/save_folder.h"
#include "scripting/event_bridge.h"
#include "scripting/lua_component.h"
#include "scripting/lua_file.h"

namespace {

LuaHost* current = nullptr;

// Calls from the engine into Lua nest when a script's call into the engine
// calls back into Lua (a component added from a component's Initialize, an
// event raised from a handler). A runaway chain would overflow the C stack
// long before Lua noticed, so it is cut at this depth.
constexpr int kMaxCallDepth = 200;
int callDepth = 0;
// Once the chain is cut, no call into Lua starts until the outermost one has
// returned: the overflow is one message, and what is already running winds
// down without branching out again.
bool callsCut = false;

int KeepCompilerOff(lua_State*) { return 0; }

// Exports that call back into Lua (a Lua component's operations, bridged
// events, the inspector's edit reports) would corrupt a compiled trace that
// called them through the FFI: LuaJIT's traces take it that an FFI call never
// re-enters the state. Scripts run in the interpreter, and jit.on() cannot
// turn the compiler back on.
void TurnCompilerOff(lua_State* L) {
    luaJIT_setmode(L, 0, LUAJIT_MODE_ENGINE | LUAJIT_MODE_OFF);
    lua_getfield(L, LUA_GLOBALSINDEX, "jit");
    if (lua_istable(L, -1)) {
        lua_pushcfunction(L, KeepCompilerOff);
        lua_setfield(L, -2, "on");
    }
    lua_settop(L, -2);
}

// The text of the error object on top of the stack. Lua errors are usually
// strings, but error() accepts any value.
std::string ErrorText(lua_State* L) {
    size_t length = 0;
    if (const char* text = lua_tolstring(L, -1, &length)) return std::string(text, length);
    return std::string("(error object is a ") + luaL_typename(L, -1) + " value)";
}

// Loads and runs every ".lua" file of the folder in name order; a failing
// file is logged and the next one runs.
void RunFolder(lua_State* L, const std::string& folder) {
    std::vector<std::string> names = ListFiles(folder, "lua");
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name + ".lua";
        if (LoadLuaFile(L, path) != 0 || lua_pcall(L, 0, 0, 0) != 0) {
            DebugPrint(ErrorText(L));
            lua_settop(L, -2);
        }
    }
}

[[noreturn]] void FailStartUp(lua_State* L, const std::string& message) {
    const std::string text = ErrorText(L);
    DebugPrint(text);
    lua_close(L);
    throw debug::exception(message + text);
}

}  // namespace

LuaHost::LuaHost() {
    state = luaL_newstate();
    if (!state) throw debug::exception("Failed to initialize lua!");
    luaL_openlibs(state);
    TurnCompilerOff(state);
    current = this;
    try {
        if (LoadLuaFile(state, "lua/engine/init.lua") != 0) FailStartUp(state, "Error loading lua init file!\n");
        if (lua_pcall(state, 0, 0, 0) != 0) FailStartUp(state, "Error running lua init file!");
    } catch (...) {
        // The init file may have connected the bridge before it failed.
        LuaDisconnectEvents();
        current = nullptr;
        throw;
    }
    // A type that saved data names but no script registered (its script
    // failed first, or it was renamed) becomes a Lua type that no script
    // defines yet: its components keep what they were loaded with.
    components::SetUnknownTypeMaker([](const std::string& name) { components::RegisterLua<LuaComponent>(name); });
    RunFolder(state, "lua/autorun");
    RunFolder(state, "lua/components");
}

LuaHost::~LuaHost() {
    LuaDisconnectEvents();
    lua_close(state);
    if (current == this) current = nullptr;
}

void CreateLuaHost() {
    DestroyLuaHost();
    new LuaHost();  // it makes itself the current host
}

void DestroyLuaHost() { delete current; }

lua_State* GetLuaState() { return current ? current->state : nullptr; }

bool LuaProtectedCall(int nargs, int nresults, std::string* error) {
    lua_State* L = GetLuaState();
    if (!L) return false;
    if (callsCut || callDepth >= kMaxCallDepth) {
        if (!callsCut)
            DebugPrint("Lua Error: calls into Lua nested more than " + std::to_string(kMaxCallDepth) +
                       " deep; the innermost was not made");
        callsCut = true;
        lua_settop(L, -(nargs + 2));  // the function and its arguments
        return false;
    }
    ++callDepth;
    const int status = lua_pcall(L, nargs, nresults, 0);
    if (--callDepth == 0) callsCut = false;
    if (status == 0) return true;
    if (error)
        *error = ErrorText(L);
    else
        DebugPrint(ErrorText(L));
    lua_settop(L, -2);
    return false;
}

void LuaPushGlobal(const char* name) {
    if (lua_State* L = GetLuaState()) lua_getfield(L, LUA_GLOBALSINDEX, name);
}

void LuaPushEntity(const engine::entity_handle& handle) {
    lua_State* L = GetLuaState();
    if (!L) return;
    LuaPushGlobal("lb_CreateEntity");
    lua_pushinteger(L, static_cast<lua_Integer>(handle.GetIndex()));
    lua_pushinteger(L, static_cast<lua_Integer>(handle.GetId()));
    if (!LuaProtectedCall(2, 1)) lua_pushnil(L);
}

void LuaPushVector(float x, float y) {
    lua_State* L = GetLuaState();
    if (!L) return;
    LuaPushGlobal("lb_CreateVector");
    lua_pushnumber(L, static_cast<double>(x));
    lua_pushnumber(L, static_cast<double>(y));
    if (!LuaProtectedCall(2, 1)) lua_pushnil(L);
}

void LuaPushFlatTable(const Json::Value& document) {
    lua_State* L = GetLuaState();
    if (!L) return;
    const bool object = document.isObject();
    lua_createtable(L, 0, object ? static_cast<int>(document.size()) : 0);
    if (!object) return;  // an array's members have no keys to store them under
    for (auto member = document.begin(); member != document.end(); ++member) {
        if (member->isString()) {
            const std::string text = member->asString();
            lua_pushlstring(L, text.data(), text.size());
        } else if (member->isDouble()) {
            lua_pushnumber(L, member->asDouble());
        } else {
            continue;
        }
        const std::string key = member.name();
        lua_setfield(L, -2, key.c_str());
    }
}
