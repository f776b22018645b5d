#include "core/level/level_io.h"

#include <filesystem>
#include <fstream>

#include <json/reader.h>
#include <json/writer.h>

#include "core/save/replace_file.h"
#include "core/save/save_folder.h"

std::string ShippedLevelPath(const std::string& name) { return "levels/" + name + ".json"; }

std::string SavedLevelPath(const std::string& name) { return GetSaveDirectory() + name + ".json"; }

std::string SaveFilePath() { return GetSaveDirectory() + "save_file.json"; }

bool ReadJsonFile(const std::string& path, Json::Value& document) {
    // A folder opens for reading here, but it is no file to read.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return false;
    file >> document;
    return true;
}

void WriteJsonFile(const std::string& path, const Json::Value& document) {
    ReplaceFile(path, Json::writeString(Json::StreamWriterBuilder(), document));
}
