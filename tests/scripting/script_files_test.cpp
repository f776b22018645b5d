// The host reads its scripts through the game's safe reader: what is not a
// plain file, or is too large, is reported by name and skipped without
// being opened for reading, and error messages still name the script.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "core/diagnostics/exception.h"
#include "scripting/lua_host.h"
#include "tests/scripting/lua_fixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(LuaTest, AutorunScriptsThatAreNotPlainFilesAreSkippedWithOneLineEach) {
    const fs::path autorun = folder.game.path() / "lua" / "autorun";
    fs::create_directories(autorun);
    folder.game.Write("lua/autorun/a_bad.lua", "x = = 1\n");
    folder.game.Write("lua/autorun/b_raises.lua", "\nerror('boom')\n");
    ASSERT_EQ(mkfifo((autorun / "c_stuck.lua").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", autorun / "d_zero.lua");
    std::ofstream(autorun / "e_huge.lua").close();
    fs::resize_file(autorun / "e_huge.lua", (size_t{256} << 20) + 1);  // sparse: nothing is written
    folder.game.Write("elsewhere/ran.lua", "linkedRan = true\n");
    fs::create_symlink(folder.game.path() / "elsewhere" / "ran.lua", autorun / "f_linked.lua");
    folder.game.Write("lua/autorun/g_good.lua", "#!/usr/bin/env luajit\ngoodRan = true\n");

    CreateLuaHost();  // as the editor's reload does; a FIFO opened for reading would wait here

    const std::vector<std::string> expected = {
        "lua/autorun/a_bad.lua:1: unexpected symbol near '='",
        "lua/autorun/b_raises.lua:2: boom",
        "cannot open lua/autorun/c_stuck.lua: not a plain file",
        "cannot open lua/autorun/d_zero.lua: not a plain file",
        "cannot open lua/autorun/e_huge.lua: larger than 256 MB",
    };
    EXPECT_EQ(Logged(), expected);
    EXPECT_EQ(Eval("linkedRan"), "true") << "a link to a plain file is followed";
    EXPECT_EQ(Eval("goodRan"), "true") << "the scripts after the skipped ones still run";
}

TEST_F(LuaTest, AnInitFileThatIsNotAPlainFileEndsTheStartUp) {
    const fs::path init = folder.game.path() / "lua" / "engine" / "init.lua";
    fs::remove(init);
    ASSERT_EQ(mkfifo(init.c_str(), 0600), 0);
    try {
        CreateLuaHost();
        FAIL() << "the host started without its init file";
    } catch (const debug::exception& error) {
        EXPECT_EQ(std::string(error.what()), "Error loading lua init file!\ncannot open lua/engine/init.lua: not a plain file");
    }
    EXPECT_EQ(GetLuaState(), nullptr);
}

}  // namespace
