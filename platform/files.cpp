#include "platform/files.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace platform {

CreateDirectoryResult CreateDirectory(const std::string& path) {
    std::error_code error;
    if (fs::create_directory(path, error)) return CreateDirectoryResult::Created;
    if (fs::is_directory(path, error)) return CreateDirectoryResult::AlreadyExists;
    return CreateDirectoryResult::Failed;
}

std::vector<DirectoryEntry> ListDirectory(const std::string& directory) {
    std::vector<DirectoryEntry> entries;
    std::error_code error;
    fs::directory_iterator it(directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        entries.push_back({it->path().filename().string(), it->is_directory(typeError)});
    }
    return entries;
}

bool DeleteFile(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) return false;
    return fs::remove(path, error);
}

}  // namespace platform
