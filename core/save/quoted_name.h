#pragma once
// Names from levels, save files and scripts, shown in one console line.

#include <string>

// The name between quotation marks, control characters (a NUL, a line end)
// shown as '?', so that the line stays one line.
inline std::string QuotedName(const std::string& name) {
    std::string shown = "\"";
    for (char c : name) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return shown + "\"";
}
