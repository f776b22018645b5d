#include "core/level/level_io.h"

#include <filesystem>

#include "core/diagnostics/exception.h"
#include "core/level/level_files.h"
#include "core/save/save_folder.h"

std::string ShippedLevelPath(const std::string& name) { return "levels/" + name + ".json"; }

std::string SavedLevelPath(const std::string& name) { return GetSaveDirectory() + name + ".json"; }

std::string SaveFilePath() { return GetSaveDirectory() + kSaveFileStem + ".json"; }

bool LevelExists(const std::string& name, bool shippedOnly) {
    std::error_code error;
    // Whatever is in "levels/" is read, and what is wrong with it said.
    if (std::filesystem::exists(ShippedLevelPath(name), error)) return true;
    if (shippedOnly) return false;
    // A saved copy that is no plain file is passed over for the shipped one.
    try {
        return std::filesystem::is_regular_file(SavedLevelPath(name), error);
    } catch (const debug::exception&) {
        return false;  // no save folder
    }
}
