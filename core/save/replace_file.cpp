#include "core/save/replace_file.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const std::string& contents) {
    size_t written = 0;
    while (written < contents.size()) {
        const ssize_t step = ::write(fd, contents.data() + written, contents.size() - written);
        if (step < 0) return false;
        written += static_cast<size_t>(step);
    }
    return ::fsync(fd) == 0;
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::string& contents) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    // mkstemp makes the file private; a saved file gets the usual mode.
    ::fchmod(fd, 0644);
    const bool written = WriteAll(fd, contents);
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}
