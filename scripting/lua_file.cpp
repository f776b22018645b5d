#include "scripting/lua_file.h"

#include <lua.hpp>

#include "platform/files.h"

int LoadLuaFile(lua_State* L, const std::string& path) {
    std::string text;
    std::string problem;
    switch (platform::ReadRegularFile(path, text)) {
        case platform::ReadFileResult::Read: {
            const std::string chunkName = "@" + path;
            return luaL_loadbuffer(L, text.data(), text.size(), chunkName.c_str());
        }
        case platform::ReadFileResult::Missing:
            problem = "cannot open " + path + ": No such file or directory";
            break;
        case platform::ReadFileResult::NotAFile:
            problem = "cannot open " + path + ": not a plain file";
            break;
        case platform::ReadFileResult::TooLarge:
            problem = "cannot open " + path + ": larger than " + std::to_string(platform::kMaxReadBytes >> 20) + " MB";
            break;
        case platform::ReadFileResult::Failed:
            problem = "cannot read " + path;
            break;
    }
    lua_pushlstring(L, problem.data(), problem.size());
    return LUA_ERRFILE;
}
