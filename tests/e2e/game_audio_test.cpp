// The real executable's audio on a machine without a sound device.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/e2e/game_process.h"
#include "tests/support/heard.h"

namespace {

namespace fs = std::filesystem;

std::string Level(const std::string& components) {
    return R"({"tile_map": {"width": 1, "height": 1, "tile_width": 16, "tile_height": 16,
    "tiles": "0 ", "tile_textures": ["debug"]},
  "entities": [{"name": "speaker", "pos": {"x": 0, "y": 0, "z": 0}, "components": )" +
           components + "}]}";
}

// OpenAL Soft's wave writer in place of a sound device: the game mixes in
// real time into a WAV file (16-bit stereo) that the test reads while it runs.
class WaveRecording {
public:
    explicit WaveRecording(const testing_support::TempDir& game) : file(game.path() / "heard.wav") {
        game.Write("alsoft.conf", "[general]\nchannels = stereo\nsample-type = int16\nfrequency = 48000\n"
                                  "[wave]\nfile = " + file.string() + "\n");
        conf.emplace("ALSOFT_CONF", (game.path() / "alsoft.conf").string());
    }

    // The samples written so far, as floats, left and right interleaved;
    // empty until the header is there.
    std::vector<float> Samples() const {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        size_t at = 12;  // past "RIFF", its size and "WAVE"
        std::vector<float> samples;
        bool stereo16 = false;
        while (at + 8 <= bytes.size()) {
            const std::string id = bytes.substr(at, 4);
            uint32_t size = 0;
            std::memcpy(&size, bytes.data() + at + 4, 4);
            if (id == "fmt " && at + 24 <= bytes.size()) {
                uint16_t channels = 0, bits = 0;
                std::memcpy(&channels, bytes.data() + at + 10, 2);
                std::memcpy(&bits, bytes.data() + at + 22, 2);
                stereo16 = channels == 2 && bits == 16;
            }
            if (id == "data") {
                // The writer fills in the size only when it closes.
                for (size_t i = at + 8; stereo16 && i + 1 < bytes.size(); i += 2) {
                    int16_t sample = 0;
                    std::memcpy(&sample, bytes.data() + i, 2);
                    samples.push_back(static_cast<float>(sample) / 32768.0f);
                }
                break;
            }
            at += 8 + size;
        }
        return samples;
    }

private:
    fs::path file;
    testing_support::ScopedEnv drivers{"ALSOFT_DRIVERS", "wave"};
    std::optional<testing_support::ScopedEnv> conf;
};

TEST(GameAudio, AGameWithAnEmitterIsHeardThroughItsSoundSpace) {
    struct Case {
        const char* components;
        bool heard;
        // The bank's other events: the theme without a sound, the wind's
        // sound empty. Neither takes the hover sound with it.
        bool neighboursBroken = false;
    };
    const char* emitter = R"([{"__component_name": "SoundEmitter", "Sound Emitter Distance": 30,
                              "Sound Emitter Cue": "Button_Hover", "Sound Emitter Fall Off Rate": 10},
                             {"__component_name": "SoundSpace"}])";
    const std::string leftOut =
        "bank audio/Master.bank, event event:/Ambience/Wind: the sound audio/empty.wav is left out because the file "
        "is empty\n";
    for (const Case& c : {Case{emitter, true}, Case{"null", false}, Case{emitter, true, true}}) {
        GameProcess game;
        const WaveRecording recording(game.game);
        game.game.Write("levels/korvel_splash.json", Level(c.components));
        if (c.neighboursBroken) {
            std::string bank = game.game.Read("audio/Master.bank");
            bank.erase(bank.find(R"("sound": "theme.wav", )"), std::strlen(R"("sound": "theme.wav", )"));
            bank.replace(bank.find("wind.wav"), 8, "empty.wav");
            game.game.Write("audio/Master.bank", bank);
            game.game.Write("audio/empty.wav", "");
        }
        game.Start();
        ASSERT_TRUE(WaitFor(60, [&] { return game.Stdout().find("BUS name SFX Bus\n") != std::string::npos; }))
            << game.Stdout() << game.Stderr();
        // Two seconds of output once the game runs: the hover sound is
        // shorter than one, so the emitter has played it again and again.
        constexpr size_t kTwoSeconds = 2 * 48000 * 2;
        ASSERT_TRUE(WaitFor(60, [&] { return recording.Samples().size() > 2 * kTwoSeconds; })) << game.Stderr();
        EXPECT_TRUE(game.Running()) << game.Stderr();
        const std::vector<float> samples = recording.Samples();
        const float level =
            testing_support::Measure(std::vector<float>(samples.end() - kTwoSeconds, samples.end())).Both();
        if (c.heard) EXPECT_GT(level, 0.01f) << "the emitter is heard";
        else EXPECT_LT(level, 0.001f) << "nothing else plays";
        const std::string out = game.Stdout();
        EXPECT_NE(out.find("bank:/Master\n"), std::string::npos) << out;
        EXPECT_NE(out.find("BUS name Music Bus\n"), std::string::npos) << out;
        EXPECT_EQ(out.find("error"), std::string::npos) << out;
        EXPECT_EQ(out.find("Doesn't exist"), std::string::npos) << out;
        // One line, for the wind only: an event without a sound is simply silent.
        size_t lines = 0;
        for (size_t at = out.find(" is left out "); at != std::string::npos; at = out.find(" is left out ", at + 1))
            ++lines;
        EXPECT_EQ(lines, c.neighboursBroken ? 1u : 0u) << out;
        if (c.neighboursBroken) {
            EXPECT_NE(out.find(leftOut), std::string::npos) << out;
        }
    }
}

TEST(GameAudio, AListFileThatCannotBeReadEndsTheGameWithItsText) {
    struct Case {
        const char* list;
        bool fifo;  // else missing; a FIFO would block a plain read
        const char* text;
    };
    for (const Case& c : {Case{"bankFiles.txt", false, "could't open bankFiles.txt"},
                          Case{"stringFiles.txt", false, "could't open stringFiles.txt"},
                          Case{"bankFiles.txt", true, "could't open bankFiles.txt"},
                          Case{"stringFiles.txt", true, "could't open stringFiles.txt"}}) {
        GameProcess game;
        const fs::path list = game.game.path() / "audio" / c.list;
        fs::remove(list);
        if (c.fifo) {
            ASSERT_EQ(mkfifo(list.c_str(), 0600), 0);
        }
        game.Start();
        EXPECT_EQ(game.WaitForExit(30), 255) << c.list;
        EXPECT_EQ(game.Stdout(), c.text);
    }
}

}  // namespace
