#include "tests/e2e/shipped_game.h"

#include <fstream>
#include <sstream>

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

namespace {

// Wisp and crate by the Lua components only they carry in the courtyard.
constexpr const char* kProbe = R"(local C = require("ffi").C
local frame = 0
events.Connect("LogicUpdate", "PositionProbe", function()
    frame = frame + 1
    if frame % 10 ~= 0 then return end
    for kind, name in pairs({ PlayerControl = "wisp", Drag = "crate" }) do
        for _, instance in pairs(components.instances[kind] or {}) do
            local p = instance.entity:GetPos()
            C.lb_print(string.format("probe %s %.4f %.4f", name, p.x, p.y))
        end
    end
end)
)";

}  // namespace

void ShippedGame::WatchPositions() { std::ofstream(game.game.path() / "lua" / "autorun" / "position_probe.lua") << kProbe; }

std::optional<glm::vec2> ShippedGame::Watched(const std::string& what) const {
    std::istringstream out(game.Stdout());
    std::optional<glm::vec2> latest;
    for (std::string line; std::getline(out, line);) {
        std::istringstream words(line);
        std::string probe, name;
        glm::vec2 at;
        if (words >> probe >> name >> at.x >> at.y && probe == "probe" && name == what) latest = at;
    }
    return latest;
}

int ShippedGame::WatchedLines() const {
    std::istringstream out(game.Stdout());
    int lines = 0;
    for (std::string line; std::getline(out, line);) lines += line.rfind("probe ", 0) == 0;
    return lines;
}
