#include "core/level/level_files.h"
#include "core/level/level_io.h"
#include "core/save/save_folder.h"
#include "platform/files.h"

std::string GetLastLevel() {
    try {
        Json::Value document;
        if (!ReadSaveFolderFile(SaveFilePath(), document) || !document.isObject()) return "";
        const Json::Value& last = document["last_level"];
        return last.isNull() ? "" : last.asString();  // an array or object throws: ""
    } catch (const std::exception&) {
        return "";
    }
}

void ClearSaveFolder() {
    const std::string folder = GetSaveDirectory();
    for (const std::string& name : ListFiles(folder, "json")) platform::DeleteFile(folder + name + ".json");
}
