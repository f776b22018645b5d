#include "core/level/level_files.h"

#include "core/diagnostics/debug_print.h"

std::string LevelNameProblem(const std::string& name) {
    if (name.empty()) return "a level needs a name";
    if (name.find('\0') != std::string::npos) return "a level name holds no NUL";
    if (name.find_first_of("/\\") != std::string::npos) return "a level name holds no path separator";
    if (name.find("..") != std::string::npos) return "a level name holds no \"..\"";
    return "";
}

std::string QuotedLevelName(const std::string& name) {
    // Control characters would break the one line the name is shown in.
    std::string shown = "\"";
    for (char c : name) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return shown + "\"";
}

bool CheckLevelName(const std::string& name, const std::string& who, const std::string& outcome) {
    const std::string problem = LevelNameProblem(name);
    if (problem.empty()) return true;
    DebugPrint(who + ": level " + QuotedLevelName(name) + " refused: " + problem + (outcome.empty() ? "" : "; " + outcome));
    return false;
}
