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

// What ReadRegularFile found.
enum class ReadFileResult { Read, Missing, NotAFile, TooLarge, Failed };

// Data files are far smaller; anything larger is not one of ours.
constexpr size_t kMaxReadBytes = size_t{256} << 20;

// Reads a whole regular file into contents, following symbolic links. A
// folder, FIFO or device is NotAFile and is never read from, so it can
// neither block nor run on without end; a file above maxBytes is TooLarge.
// contents is empty unless the result is Read.
ReadFileResult ReadRegularFile(const std::string& path, std::string& contents, size_t maxBytes = kMaxReadBytes);

// One spelling for every spelling of a path, for caches keyed by file:
// "." parts and repeated or trailing separators dropped, and an absolute
// path inside the working directory (the game folder) made relative to it.
// ".." parts stay: "a/b/.." is not "a" when b is a link, so only names that
// are surely the same file become one.
std::string NormalPath(const std::string& path);

}  // namespace platform
