// Lua files that a modder, a careless designer or a damaged disk could produce.
#include "tests/e2e/hostile_files.h"

std::vector<HostileRow> LuaRows() { return {}; }
