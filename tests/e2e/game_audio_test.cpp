// The real executable's audio on a machine without a sound device.
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "tests/e2e/game_process.h"

namespace {

const char* kLevelWithEmitter = R"({"tile_map": {"width": 1, "height": 1, "tile_width": 16, "tile_height": 16,
    "tiles": "0 ", "tile_textures": ["debug"]},
  "entities": [{"name": "speaker", "pos": {"x": 0, "y": 0, "z": 0}, "components": {
    "SoundEmitter": {"Sound Emitter Distance": 30, "Sound Emitter Cue": "Button_Hover",
                     "Sound Emitter Fall Off Rate": 10},
    "SoundSpace": null}}]})";

TEST(GameAudio, AGameWithAnEmitterRunsOnTheLoopbackDevice) {
    GameProcess game;
    game.game.Write("levels/korvel_splash.json", kLevelWithEmitter);
    game.Start();
    ASSERT_TRUE(WaitFor(60, [&] { return game.Stdout().find("BUS name SFX Bus\n") != std::string::npos; }))
        << game.Stdout() << game.Stderr();
    // The hover sound is shorter than a second: give the emitter time to play
    // it again and again (a fault would end the game or log an error).
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_TRUE(game.Running()) << game.Stderr();
    const std::string out = game.Stdout();
    EXPECT_NE(out.find("bank:/Master\n"), std::string::npos) << out;
    EXPECT_NE(out.find("BUS name Music Bus\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("error"), std::string::npos) << out;
    EXPECT_EQ(out.find("Doesn't exist"), std::string::npos) << out;
}

TEST(GameAudio, AMissingListFileEndsTheGameWithItsText) {
    struct Case {
        const char* removed;
        const char* text;
    };
    for (const Case& c : {Case{"bankFiles.txt", "could't open bankFiles.txt"},
                          Case{"stringFiles.txt", "could't open stringFiles.txt"}}) {
        GameProcess game;
        std::filesystem::remove(game.game.path() / "audio" / c.removed);
        game.Start();
        EXPECT_EQ(game.WaitForExit(30), 255) << c.removed;
        EXPECT_EQ(game.Stdout(), c.text);
    }
}

}  // namespace
