#pragma once
// Loading a Lua file as the host's start-up does: through the game's safe
// reader (regular files only after following links, no blocking open, the
// size cap), so a FIFO or a device among the scripts cannot hang or swamp
// the start. Chunks are named "@path", so error messages read
// "path:line: ...".

#include <string>

struct lua_State;

// Pushes the compiled chunk and returns 0, or pushes the error text and
// returns a non-zero status, as luaL_loadfile does.
int LoadLuaFile(lua_State* L, const std::string& path);
