#include <strings.h>

#include "core/diagnostics/debug_print.h"
#include "core/level/level_files.h"
#include "core/save/quoted_name.h"
#include "core/save/save_folder.h"

std::string LevelNameProblem(const std::string& name) {
    if (name.empty()) return "a level needs a name";
    if (name.find('\0') != std::string::npos) return "a level name holds no NUL";
    if (name.find_first_of("/\\") != std::string::npos) return "a level name holds no path separator";
    if (name.find("..") != std::string::npos) return "a level name holds no \"..\"";
    // Ignoring case, as the file systems of many players do: a level saved
    // as "soundstorage" would be the sound storage file there.
    for (const char* own : {kSaveFileStem, kSoundStorageStem})
        if (strcasecmp(name.c_str(), own) == 0) return "\"" + std::string(own) + "\" is the save folder's own file";
    return "";
}

std::string QuotedLevelName(const std::string& name) { return QuotedName(name); }

bool CheckLevelName(const std::string& name, const std::string& who, const std::string& outcome) {
    const std::string problem = LevelNameProblem(name);
    if (problem.empty()) return true;
    DebugPrint(who + ": level " + QuotedLevelName(name) + " refused: " + problem + (outcome.empty() ? "" : "; " + outcome));
    return false;
}

bool CheckLevelExists(const std::string& name, bool shippedOnly, const std::string& who, const std::string& outcome) {
    if (LevelExists(name, shippedOnly)) return true;
    DebugPrint(who + ": level " + QuotedLevelName(name) + " does not exist" + (shippedOnly ? " in \"levels/\"" : "") +
               "; " + outcome);
    return false;
}
