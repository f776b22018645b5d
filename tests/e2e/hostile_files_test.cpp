// The real game over the hostile files of every area's table.
#include "tests/e2e/hostile_files.h"

#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Ends the game a while after start-up, through level changes a row may ask for.
const char* kEnd = R"(local C = require('ffi').C
local frames = 0
events.Connect("LogicUpdate", "HostileEnd", function()
    frames = frames + 1
    if frames == 120 then
        C.lb_print("the hostile run ends")
        C.lb_engine_quit_game()
    end
end)
)";

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every file below root but those in skip, by relative path: its contents,
// or where a link points.
std::map<std::string, std::string> Snapshot(const fs::path& root, const fs::path& skip) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error); it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (it->path() == skip) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string relative = fs::relative(it->path(), root).string();
        if (it->is_symlink())
            files[relative] = "-> " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file())
            files[relative] = Contents(it->path());
        else if (!it->is_directory())
            files[relative] = "(special file)";
    }
    return files;
}

std::vector<HostileRow> AllRows() {
    std::vector<HostileRow> rows = {
        // The harness itself: an untouched game ends when the script says.
        {"NothingHostile", [](HostileRun&) {}, "the hostile run ends", "", false},
    };
    for (auto table : {LevelRows, SoundRows, ImageRows, LuaRows})
        for (HostileRow& row : table()) rows.push_back(std::move(row));
    return rows;
}

class HostileFiles : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileFiles, TheGameGoesOnAndTouchesNothingOutsideItsFolders) {
    const HostileRow& row = GetParam();
    GameProcess game;
    HostileRun run{game};
    game.game.Write("levels/korvel_splash.json", R"({"entities": null})");
    game.game.Write("lua/autorun/hostile_end.lua", kEnd);
    game.home.Write(".config/someapp/settings.json", "{\"volume\": 3}\n");
    row.place(run);
    const auto outside = Snapshot(game.home.path(), run.SaveFolder());

    game.Start();
    const int status = game.WaitForExit(120);
    const std::string out = game.Stdout(), err = game.Stderr();
    ASSERT_EQ(status, 0) << out << err;
    const bool fataled = err.find("Unrecoverable Exception") != std::string::npos;
    EXPECT_EQ(fataled, row.fatal) << out << err;
    if (!row.fatal) {
        EXPECT_NE(out.find("the hostile run ends"), std::string::npos) << out << err;
    }
    if (!row.said.empty()) {
        EXPECT_NE((row.fatal ? err : out).find(row.said), std::string::npos) << out << err;
    }
    if (!row.setAside.empty()) {
        EXPECT_TRUE(fs::exists(run.SaveFolder() / row.setAside)) << out;
    }
    EXPECT_EQ(Snapshot(game.home.path(), run.SaveFolder()), outside);
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileFiles, ::testing::ValuesIn(AllRows()),
                         [](const auto& info) { return info.param.name; });

}  // namespace

fs::path HostileRun::SaveFolder() const { return game.home.path() / "Documents" / "Quillmere"; }

fs::path HostileRun::Outside() const { return game.home.path() / ".config" / "someapp"; }

std::string HostileRun::Relative(const fs::path& target, const fs::path& from) {
    return fs::relative(target, from).string();
}
