#pragma once
// What every lb_* export shares. An export is called from LuaJIT's
// foreign-function interface, whose frames a C++ exception must never
// unwind through (it would skip Lua's own bookkeeping and reach the script
// only as "C++ exception"). So each export runs its body through AtEdge: an
// exception ends at the export, its text is logged as one line and the
// export returns its neutral value. A stale entity handle, for one, logs the
// entity table's message and the script goes on.

#include <exception>
#include <string>
#include <utility>

#include "core/diagnostics/debug_print.h"
#include "core/entity/entity_handle.h"
#include "scripting/export_types.h"

template <typename Result, typename Body>
Result AtEdge(Result neutral, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& error) {
        DebugPrint(error.what());
        return neutral;
    }
}

template <typename Body>
void AtEdge(Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& error) {
        DebugPrint(error.what());
    }
}

// A nil string from Lua arrives as a null pointer; it reads as "".
inline std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

inline engine::entity_handle MakeEntityHandle(uint32_t index, uint32_t id) { return engine::entity_handle(index, id); }
