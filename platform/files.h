#pragma once
#include <string>
#include <vector>

namespace platform {

enum class CreateDirectoryResult { Created, AlreadyExists, Failed };

// Creates one directory (its parent must exist). AlreadyExists also when the
// path names an existing directory through a symbolic link.
CreateDirectoryResult CreateDirectory(const std::string& path);

struct DirectoryEntry {
    std::string name;  // the entry's own name, without the directory
    bool isDirectory;
};

// The entries of a directory in the order the file system lists them;
// empty when the directory is missing or unreadable.
std::vector<DirectoryEntry> ListDirectory(const std::string& directory);

// Deletes one plain file; false when it could not be deleted.
bool DeleteFile(const std::string& path);

}  // namespace platform
