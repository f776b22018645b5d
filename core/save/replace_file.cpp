#include "core/save/replace_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/diagnostics/debug_print.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

// Every temporary file has this name followed by six characters: short
// enough for any folder's name limit, and known again after a crash.
constexpr const char kTemporaryPrefix[] = ".quillmere-save-";
constexpr size_t kTemporaryNameLength = sizeof kTemporaryPrefix - 1 + 6;

bool WriteAll(int fd, const std::string& contents) {
    size_t written = 0;
    while (written < contents.size()) {
        const ssize_t step = ::write(fd, contents.data() + written, contents.size() - written);
        if (step < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<size_t>(step);
    }
    return ::fsync(fd) == 0;
}

// The file a path finally names: a symbolic link is followed (a relative
// one from its own folder), so that saving replaces what it points at and
// keeps the link.
fs::path FinalTarget(fs::path path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// Temporary files left by a save that was killed part-way.
void RemoveStaleTemporaries(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.size() == kTemporaryNameLength && name.rfind(kTemporaryPrefix, 0) == 0 &&
            it->is_regular_file(typeError))
            fs::remove(it->path(), typeError);
    }
}

bool Fail(const std::string& path, const char* step, int error) {
    DebugPrint("Could not save \"" + path + "\": " + step + ": " + std::strerror(error));
    return false;
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::string& contents) {
    // The game could never read such a file back: the copy there stays.
    if (contents.size() > platform::kMaxReadBytes) {
        DebugPrint("Could not save \"" + path + "\": it would be larger than " +
                   std::to_string(platform::kMaxReadBytes >> 20) + " MB, more than the game reads");
        return false;
    }
    const fs::path target = FinalTarget(path);
    const fs::path folder = target.parent_path();
    RemoveStaleTemporaries(folder);
    std::string temporary = (folder / kTemporaryPrefix).string() + "XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Fail(path, "creating a temporary file", errno);
    // mkstemp makes the file private: a new file gets the usual mode, a
    // replaced one keeps its own.
    struct stat existing {};
    ::fchmod(fd, ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644);
    const bool written = WriteAll(fd, contents);
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(temporary.c_str(), target.c_str()) == 0) return true;
    const int error = written && closed ? errno : writeError;
    ::unlink(temporary.c_str());
    return Fail(path, written && closed ? "replacing the file" : "writing", error);
}
