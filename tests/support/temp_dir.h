#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::string str() const { return root.string(); }
    // Writes a file (creating its folders) below the folder.
    void Write(const std::string& relative, const std::string& contents) const;
    std::string Read(const std::string& relative) const;

private:
    std::filesystem::path root;
};

// Sets (or with nullopt unsets) an environment variable for the object's life.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name;
    std::optional<std::string> previous;
};

}  // namespace testing_support
