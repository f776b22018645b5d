#include "platform/documents.h"

#include <cstdlib>
#include <fstream>

namespace platform {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// One value of a user-dirs.dirs file: a double-quoted path that is either
// absolute or starts with $HOME; backslash escapes the next character.
std::string ParseUserDirValue(const std::string& raw, const std::string& home) {
    size_t open = raw.find('"');
    if (open == std::string::npos) return "";
    std::string value;
    for (size_t i = open + 1; i < raw.size(); ++i) {
        if (raw[i] == '"') break;
        if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
        value += raw[i];
    }
    if (value.rfind("$HOME", 0) == 0) {
        if (home.empty()) return "";
        return home + value.substr(5);
    }
    return value.empty() || value[0] != '/' ? "" : value;
}

std::string FromUserDirsFile(const std::string& home) {
    if (home.empty()) return "";
    std::ifstream file(home + "/.config/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(file, line)) {
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        if (line.compare(start, key.size(), key) == 0)
            return ParseUserDirValue(line.substr(start + key.size()), home);
    }
    return "";
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string DocumentsFolder() {
    // A relative path would put the save folder wherever the game was
    // started from: it counts as unset, as in the user-dirs file.
    std::string fromEnv = Env("XDG_DOCUMENTS_DIR");
    if (!fromEnv.empty() && fromEnv[0] == '/') return WithoutTrailingSlash(fromEnv);
    std::string home = Env("HOME");
    std::string fromFile = FromUserDirsFile(home);
    if (!fromFile.empty()) return WithoutTrailingSlash(fromFile);
    if (home.empty()) return "";
    return WithoutTrailingSlash(home) + "/Documents";
}

}  // namespace platform
