#include "tests/e2e/lua_game.h"

#include <fstream>
#include <sstream>

#include <json/reader.h>

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

LuaGame::LuaGame() { Level("korvel_splash", R"({"entities": null})"); }

void LuaGame::Script(const std::string& path, const std::string& code) const {
    game.game.Write("lua/" + path, kLuaPrelude + code);
}

void LuaGame::Level(const std::string& name, const std::string& json) const {
    game.game.Write("levels/" + name + ".json", json);
}

std::string LuaGame::RunToEnd() {
    game.Start();
    EXPECT_EQ(game.WaitForExit(60), 0) << game.Stdout() << game.Stderr();
    return game.Stdout();
}

std::string LuaGame::SaveFolder() const { return game.home.str() + "/Documents/Quillmere/"; }

Json::Value LuaGame::ReadJson(const std::string& path) const {
    std::ifstream file(path);
    Json::Value value;
    if (file) file >> value;
    return value;
}

::testing::AssertionResult LinesInOrder(const std::string& output, const std::vector<std::string>& expected) {
    const std::vector<std::string> lines = SplitLines(output);
    size_t next = 0;
    for (const std::string& line : lines)
        if (next < expected.size() && line == expected[next]) ++next;
    if (next == expected.size()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "missing, in order: \"" << expected[next] << "\" in\n" << output;
}

bool HasLine(const std::string& output, const std::string& line) {
    for (const std::string& each : SplitLines(output))
        if (each == line) return true;
    return false;
}
