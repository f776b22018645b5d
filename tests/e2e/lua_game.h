#pragma once
// The real game run with Lua scripts that a test writes: the shipped
// "lua/engine/init.lua" plus the test's levels and scripts, with a first
// level "korvel_splash" holding no entities unless the test writes its own.

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <json/value.h>

#include "tests/e2e/game_process.h"

class LuaGame : public ::testing::Test {
protected:
    LuaGame();

    // Below "lua/", for example Script("autorun/probe.lua", "...").
    void Script(const std::string& path, const std::string& code) const;
    void Level(const std::string& name, const std::string& json) const;
    // Starts the game, waits for the scripts to end it and expects a clean
    // exit; its standard output.
    std::string RunToEnd();

    std::string SaveFolder() const;
    Json::Value ReadJson(const std::string& path) const;

    GameProcess game;
};

// Every line of expected appears in output as a whole line, in this order.
::testing::AssertionResult LinesInOrder(const std::string& output, const std::vector<std::string>& expected);
bool HasLine(const std::string& output, const std::string& line);

// Each script starts with this: the engine's functions as C.
inline constexpr const char* kLuaPrelude = "local C = require('ffi').C\n";
