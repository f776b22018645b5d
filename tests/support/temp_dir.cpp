#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(root, error);
}

void TempDir::Write(const std::string& relative, const std::string& contents) const {
    const auto file = root / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
}

std::string TempDir::Read(const std::string& relative) const {
    std::ifstream file(root / relative, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

ScopedEnv::ScopedEnv(const char* name, std::optional<std::string> value) : name(name) {
    if (const char* old = std::getenv(name)) previous = old;
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
    if (previous)
        setenv(name.c_str(), previous->c_str(), 1);
    else
        unsetenv(name.c_str());
}

}  // namespace testing_support
