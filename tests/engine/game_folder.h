#pragma once
// A temporary game folder made the working directory for the test's life,
// holding the shipped shaders, start-up script, debug pictures and audio
// (sound to the loopback device), with HOME pointing at another temporary folder
// and XDG_DOCUMENTS_DIR unset, so the save folder is HOME/Documents/Quillmere.

#include <filesystem>
#include <string>

#include "tests/support/game_audio.h"
#include "tests/support/temp_dir.h"

class GameFolder {
public:
    GameFolder();
    ~GameFolder();

    void WriteLevel(const std::string& name, const std::string& json) const;
    void WriteSaved(const std::string& file, const std::string& json) const;
    std::string ReadLevel(const std::string& name) const;
    std::string ReadSaved(const std::string& file) const;
    bool SavedExists(const std::string& file) const;
    std::string SaveFolder() const;

    testing_support::TempDir game;
    testing_support::TempDir home;

private:
    testing_support::ScopedEnv homeEnv{"HOME", home.str()};
    testing_support::ScopedEnv documentsEnv{"XDG_DOCUMENTS_DIR", std::nullopt};
    testing_support::NoSoundDevice noSoundDevice;
    std::filesystem::path previous = std::filesystem::current_path();
};

// A level with a 2 by 2 tile map and no entities.
inline constexpr const char* kSmallLevel =
    R"({"tile_map": {"tile_width": 16, "tile_height": 16, "width": 2, "height": 2,
        "tile_textures": null, "tiles": "0 1 1 0 "}, "entities": null})";
