#include "tests/e2e/shipped_game.h"

#include <fstream>

#include <json/reader.h>

#include "tests/e2e/window_close.h"

namespace fs = std::filesystem;

Json::Value ReadJsonFile(const fs::path& path) {
    std::ifstream file(path);
    Json::Value value;
    Json::CharReaderBuilder builder;
    std::string errors;
    if (!file || !Json::parseFromStream(builder, file, &value, &errors)) return Json::Value();
    return value;
}

ShippedGame::ShippedGame() {
    const fs::path data = fs::path(QM_SOURCE_DIR) / "data";
    const auto options = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
    fs::copy(data / "levels", game.game.path() / "levels", options);
    fs::copy(data / "lua", game.game.path() / "lua", options);
}

Json::Value ShippedGame::SaveFile() const { return ReadJsonFile(SaveFolder() / "save_file.json"); }

void ShippedGame::Start() {
    game.Start();
    game.FocusWindow();
}

bool ShippedGame::EnterTheCourtyard() {
    return WaitFor(90, [this] {
        game.Keys("key Return");
        return WaitFor(2, [this] { return LastLevel() == "korvel_splash"; });
    });
}

int ShippedGame::QuitThroughThePauseScreen() {
    WaitFor(60, [this] {
        RequestWindowClose(game.DisplayName(), "Quillmere");
        game.Keys("key Return");
        return WaitFor(2, [this] { return !game.Running(); });
    });
    return game.WaitForExit(10);
}
