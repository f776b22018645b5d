#include "core/level/level_io.h"

#include "core/save/save_folder.h"

std::string ShippedLevelPath(const std::string& name) { return "levels/" + name + ".json"; }

std::string SavedLevelPath(const std::string& name) { return GetSaveDirectory() + name + ".json"; }

std::string SaveFilePath() { return GetSaveDirectory() + "save_file.json"; }
