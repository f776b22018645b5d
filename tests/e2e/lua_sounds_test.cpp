// Sound cues from Lua: playing and stopping by name, an unknown name, and
// the mutes.
#include "tests/e2e/lua_game.h"

namespace {

const char* kSounds = R"(
local function Flags(label)
    C.lb_print(label .. " all " .. tostring(C.lb_sounds_all_muted()) .. " music " .. tostring(C.lb_sounds_music_muted()))
end
events.Connect("LevelLoad", "sounds", function()
    C.lb_print("play")
    C.lb_sounds_play("Button_Select")
    C.lb_sounds_stop("Button_Select")
    C.lb_sounds_play_hover()
    C.lb_sounds_play_select()
    C.lb_print("unknown")
    C.lb_sounds_play("Nothing")
    C.lb_sounds_stop("Nothing")
    C.lb_sounds_play(nil)
    Flags("start")
    C.lb_sounds_mute_all(true)
    Flags("all")
    C.lb_sounds_mute_all(false)
    C.lb_sounds_mute_music(true)
    Flags("music")
    C.lb_sounds_mute_music(false)
    Flags("none")
    C.lb_engine_quit_game()
end)
)";

TEST_F(LuaGame, CuesPlayAndStopByNameAnUnknownOneIsToldAndTheMutesShow) {
    Script("autorun/sounds.lua", kSounds);
    const std::string output = RunToEnd();
    EXPECT_TRUE(LinesInOrder(output, {
        "play",
        // Known cues play and stop without a word.
        "unknown",
        "Cue \"Nothing\" Doesn't exist",
        "Attempted to play invalid cue!",
        "Cue \"Nothing\" Doesn't exist",
        "Attempted to stop invalid cue!",
        "Cue \"\" Doesn't exist",
        "Attempted to play invalid cue!",
        "start all false music false",
        "all all true music false",
        "music all false music true",
        "none all false music false",
    }));
    const size_t quietFrom = output.find("play\n"), quietTo = output.find("unknown\n");
    EXPECT_EQ(quietTo - quietFrom, std::string("play\n").size()) << output;
}

}  // namespace
