// The title screen as its level file lights it, against a golden picture
// taken from the game itself and looked at before it was kept; and the pause
// screen's question drawn over it.

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "png/png.h"
#include "tests/e2e/screen.h"
#include "tests/e2e/shipped_game.h"
#include "tests/e2e/window_close.h"
#include "tests/graphics/png_writer.h"

namespace fs = std::filesystem;

namespace {

// The window fills Xvfb's 1920 by 1080 screen at pixel scale 4: one pixel of
// the game's grid is a block of 4 by 4 screen pixels, sampled at its centre.
constexpr int kScale = 4;
// Per channel: what the same picture may differ by from one driver run to
// the next.
constexpr int kTolerance = 6;

struct Still {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<unsigned char> rgba;

    bool operator==(const Still&) const = default;
    bool Dark() const {
        for (size_t i = 0; i < rgba.size(); i += 4)
            if (rgba[i] + rgba[i + 1] + rgba[i + 2] > 0) return false;
        return true;
    }
};

Still Sample(const ScreenPicture& screen) {
    Still still;
    still.width = static_cast<unsigned>(screen.width / kScale);
    still.height = static_cast<unsigned>(screen.height / kScale);
    for (unsigned y = 0; y < still.height; ++y)
        for (unsigned x = 0; x < still.width; ++x) {
            const size_t at = ((y * kScale + kScale / 2) * static_cast<size_t>(screen.width) + x * kScale + kScale / 2) * 3;
            still.rgba.insert(still.rgba.end(), {screen.rgb[at], screen.rgb[at + 1], screen.rgb[at + 2], 255});
        }
    return still;
}

// The pixels that differ from the other picture by more than the tolerance
// in any channel; every pixel when the sizes differ.
size_t Differing(const Still& a, const Still& b) {
    if (a.width != b.width || a.height != b.height) return std::max(a.rgba.size(), b.rgba.size()) / 4;
    size_t count = 0;
    for (size_t i = 0; i < a.rgba.size(); i += 4)
        for (size_t c = 0; c < 3; ++c)
            if (std::abs(a.rgba[i + c] - b.rgba[i + c]) > kTolerance) {
                ++count;
                break;
            }
    return count;
}

// The quit question's light letters in a band across the middle of the
// screen.
bool QuestionShown(const ScreenPicture& screen) {
    for (int y = screen.height / 2 - 40; y < screen.height / 2 + 40; ++y)
        for (int x = screen.width / 2 - 300; x < screen.width / 2 + 300; ++x) {
            const uint8_t* p = &screen.rgb[(static_cast<size_t>(y) * screen.width + x) * 3];
            if (p[0] >= 230 && p[1] >= 220 && p[2] >= 200) return true;
        }
    return false;
}

TEST_F(ShippedGame, ThePauseScreenAsksBeforeTheWindowCloses) {
    Start();
    const auto shown = [this] { return QuestionShown(GrabScreen(game.DisplayName())); };
    ASSERT_TRUE(WaitFor(90, [&] {
        RequestWindowClose(game.DisplayName(), "Quillmere");
        return WaitFor(2, shown);
    })) << game.Stdout() << game.Stderr();
    // Escape stays.
    game.Keys("key Escape");
    ASSERT_TRUE(WaitFor(30, [&] { return !shown(); }));
    EXPECT_TRUE(game.Running());
    // Enter at the question quits.
    ASSERT_TRUE(WaitFor(60, [&] {
        RequestWindowClose(game.DisplayName(), "Quillmere");
        return WaitFor(2, shown);
    }));
    game.Keys("key Return");
    EXPECT_EQ(game.WaitForExit(30), 0) << game.Stdout() << game.Stderr();
}

TEST_F(ShippedGame, TheTitleScreenIsLitAsItsLevelSays) {
    // The crest's float is all that moves on the title screen: held still
    // here, so that the frame settles.
    game.game.Write("lua/components/bobbing.lua",
                    "components.Register('Bobbing', { fields = { amplitude = 2, period = 2 } })\n");
    Start();
    Still still, previous;
    int same = 0;
    const bool settled = WaitFor(90, [&] {
        still = Sample(GrabScreen(game.DisplayName()));
        same = (!still.Dark() && still == previous) ? same + 1 : 0;
        previous = still;
        return same >= 3;
    });
    // Kept beside the test when it fails, to be looked at (and, once right,
    // copied over the golden picture).
    const fs::path shown = fs::current_path() / "korvel_splash.shown.png";
    std::ofstream(shown, std::ios::binary) << EncodePng(still.width, still.height, still.rgba);
    ASSERT_TRUE(settled) << "the title screen never settled; the last picture is " << shown << "\n"
                         << game.Stdout() << game.Stderr();

    const std::string goldenPath = std::string(QM_SOURCE_DIR) + "/tests/e2e/golden/korvel_splash.png";
    Still golden;
    const bool loaded = LoadPngFile(goldenPath, golden.rgba, golden.width, golden.height);
    const size_t differing = loaded ? Differing(still, golden) : still.rgba.size() / 4;
    EXPECT_EQ(differing, 0u) << "pixels differ from " << goldenPath << "; the picture shown is " << shown;
    if (differing == 0) fs::remove(shown);
    EXPECT_TRUE(game.Running()) << game.Stderr();
}

}  // namespace
