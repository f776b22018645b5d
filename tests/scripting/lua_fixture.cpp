#include "tests/scripting/lua_fixture.h"

#include <lua.hpp>

#include "core/diagnostics/console.h"
#include "scripting/lua_host.h"

LuaTest::LuaTest() : firstLine(Console::GetLines().size()) {}

void LuaTest::Lua(const std::string& code) {
    lua_State* L = GetLuaState();
    ASSERT_NE(L, nullptr);
    if (luaL_loadstring(L, code.c_str()) != 0 || lua_pcall(L, 0, 0, 0) != 0) {
        ADD_FAILURE() << lua_tostring(L, -1);
        lua_settop(L, -2);
    }
}

std::string LuaTest::Eval(const std::string& expression) {
    Lua("evaluated = tostring(" + expression + ")");
    lua_State* L = GetLuaState();
    lua_getfield(L, LUA_GLOBALSINDEX, "evaluated");
    const char* text = lua_tostring(L, -1);
    std::string value = text ? text : "(nothing)";
    lua_settop(L, -2);
    return value;
}

std::vector<std::string> LuaTest::Logged() const {
    const std::vector<std::string>& lines = Console::GetLines();
    return std::vector<std::string>(lines.begin() + static_cast<long>(firstLine), lines.end());
}
