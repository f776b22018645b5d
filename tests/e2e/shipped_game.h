#pragma once
// The game as shipped in data/ (levels, scripts, pictures, shaders, sound),
// run by the real executable with a home folder of its own, and the ways a
// player moves through it.

#include <filesystem>
#include <optional>
#include <string>

#include <glm/vec2.hpp>
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

    // Adds a script to the copied data that prints where the wisp and the
    // crate are every tenth frame ("probe wisp x y", "probe crate x y").
    void WatchPositions();
    // The latest position printed for "wisp" or "crate", none before the
    // first; and how many positions have been printed so far.
    std::optional<glm::vec2> Watched(const std::string& what) const;
    int WatchedLines() const;

    GameProcess game;
};

// A JSON file, null when it is missing or does not parse.
Json::Value ReadJsonFile(const std::filesystem::path& path);
