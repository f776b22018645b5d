#include "platform/files.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

ReadFileResult ReadRegularFile(const std::string& path, std::string& contents, size_t maxBytes) {
    contents.clear();
    // Opening a FIFO for reading waits for a writer unless it does not block.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadFileResult::Missing : ReadFileResult::Failed;
    struct stat info {};
    ReadFileResult result = ReadFileResult::Read;
    if (::fstat(fd, &info) != 0) result = ReadFileResult::Failed;
    else if (!S_ISREG(info.st_mode)) result = ReadFileResult::NotAFile;
    else if (static_cast<unsigned long long>(info.st_size) > maxBytes) result = ReadFileResult::TooLarge;
    char buffer[65536];
    while (result == ReadFileResult::Read) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno != EINTR) result = ReadFileResult::Failed;
            continue;
        }
        // The file may grow while it is read.
        if (contents.size() + static_cast<size_t>(got) > maxBytes) result = ReadFileResult::TooLarge;
        else contents.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    if (result != ReadFileResult::Read) contents.clear();
    return result;
}

std::string NormalPath(const std::string& path) {
    fs::path normal;
    for (const fs::path& part : fs::path(path))
        if (!part.empty() && part != ".") normal /= part;
    if (normal.is_absolute()) {
        std::error_code error;
        const fs::path inGame = normal.lexically_relative(fs::current_path(error));
        if (!error && !inGame.empty() && *inGame.begin() != "..") normal = inGame;
    }
    if (normal.empty() && !path.empty()) return ".";
    return normal.string();
}

}  // namespace platform
