#include "tests/engine/game_folder.h"

namespace fs = std::filesystem;

GameFolder::GameFolder() {
    fs::copy(fs::path(QM_SOURCE_DIR) / "data" / "shaders", game.path() / "shaders", fs::copy_options::recursive);
    fs::create_directories(game.path() / "levels");
    fs::create_directories(game.path() / "lua");
    fs::copy(fs::path(QM_SOURCE_DIR) / "data" / "lua" / "engine", game.path() / "lua" / "engine", fs::copy_options::recursive);
    testing_support::CopyShippedAudio(fs::path(QM_SOURCE_DIR) / "data", game.path());
    // The pictures every sprite starts with, which the game ships.
    fs::create_directories(game.path() / "textures");
    for (const char* picture : {"debug.png", "debug_nm.png", "debug_sm.png"})
        fs::copy_file(fs::path(QM_SOURCE_DIR) / "data" / "textures" / picture, game.path() / "textures" / picture);
    fs::current_path(game.path());
}

GameFolder::~GameFolder() { fs::current_path(previous); }

void GameFolder::WriteLevel(const std::string& name, const std::string& json) const {
    game.Write("levels/" + name + ".json", json);
}

void GameFolder::WriteSaved(const std::string& file, const std::string& json) const {
    home.Write("Documents/Quillmere/" + file, json);
}

std::string GameFolder::ReadLevel(const std::string& name) const { return game.Read("levels/" + name + ".json"); }

std::string GameFolder::ReadSaved(const std::string& file) const { return home.Read("Documents/Quillmere/" + file); }

bool GameFolder::SavedExists(const std::string& file) const { return fs::exists(SaveFolder() + file); }

std::string GameFolder::SaveFolder() const { return home.str() + "/Documents/Quillmere/"; }
