#include "core/save/save_folder.h"

#include "core/diagnostics/exception.h"
#include "platform/documents.h"
#include "platform/files.h"

std::string GetSaveDirectory() {
    const std::string documents = platform::DocumentsFolder();
    if (documents.empty()) throw debug::exception("Failed to create save in \"My Documents/Quillmere\"!");
    // A fresh account may have no documents folder yet; the game then makes
    // it rather than never saving.
    const std::string folder = documents + "/Quillmere/";
    if (platform::CreateDirectory(documents) == platform::CreateDirectoryResult::Failed ||
        platform::CreateDirectory(folder) == platform::CreateDirectoryResult::Failed)
        throw debug::exception("Failed to create save file path in \"My Documents/Quillmere\"!");
    return folder;
}

std::vector<std::string> ListFiles(const std::string& directory, const std::string& extension) {
    const std::string suffix = "." + extension;
    std::vector<std::string> names;
    for (const platform::DirectoryEntry& entry : platform::ListDirectory(directory)) {
        if (entry.isDirectory || entry.name.size() < suffix.size()) continue;
        if (entry.name.compare(entry.name.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
        names.push_back(entry.name.substr(0, entry.name.size() - suffix.size()));
    }
    return names;
}
