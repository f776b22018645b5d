#pragma once
// The game as shipped in data/ (levels, scripts, pictures, shaders, sound),
// run by the real executable with a home folder of its own, and the ways a
// player moves through it.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <json/value.h>

#include "tests/e2e/game_process.h"

class ShippedGame : public ::testing::Test {
protected:
    ShippedGame();

    std::filesystem::path SaveFolder() const { return game.home.path() / "Documents" / "Quillmere"; }
    // The save file, null while it is missing or not whole.
    Json::Value SaveFile() const;
    std::string LastLevel() const { return SaveFile()["last_level"].asString(); }

    // Starts the game and gives its window focus.
    void Start();
    // Enter on the title screen until the courtyard is loaded: leaving the
    // title screen writes the save file naming it.
    bool EnterTheCourtyard();
    // The window's close button, then Enter at the pause screen's question,
    // until the game has ended; its exit status.
    int QuitThroughThePauseScreen();

    GameProcess game;
};

// A JSON file, null when it is missing or does not parse.
Json::Value ReadJsonFile(const std::filesystem::path& path);
