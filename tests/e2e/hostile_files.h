#pragma once
// Hostile and damaged data files, placed in a real game's folders before it
// starts. Each row says what the game must then do: end as a script asks it
// to (or show the fatal box, where only that is right), print a console line,
// set a file aside, and never change a file outside its own folders.

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/game_process.h"

// What a row's set-up can reach: the game (its folder and its home) and the
// places around them.
struct HostileRun {
    GameProcess& game;

    std::filesystem::path SaveFolder() const;
    // A folder in the player's home that is none of the game's, holding
    // "settings.json"; no row may change anything there.
    std::filesystem::path Outside() const;
    // The path of target relative to from, for names that try to climb out
    // of a folder of the game's.
    static std::string Relative(const std::filesystem::path& target, const std::filesystem::path& from);
};

struct HostileRow {
    std::string name;  // letters, digits and underscores: the test's name
    std::function<void(HostileRun&)> place;
    // A fragment of a line the game prints (standard output, or standard
    // error when fatal); empty when nothing need be said.
    std::string said;
    // Below the save folder: a file that must exist after the run.
    std::string setAside;
    // Only a shipped level that cannot be built ends in the fatal box.
    bool fatal = false;
};

inline void PrintTo(const HostileRow& row, std::ostream* out) { *out << row.name; }

// One table per area, each in its own file.
std::vector<HostileRow> LevelRows();
std::vector<HostileRow> SoundRows();
std::vector<HostileRow> ImageRows();
std::vector<HostileRow> LuaRows();
