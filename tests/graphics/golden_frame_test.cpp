// A still frame of a small lit scene against a picture of it that a person
// has looked at: tiles, lit sprites under a coloured light with a caster's
// shadow, an unclamped sprite and a half-transparent forward sprite.
// QM_WRITE_GOLDEN=<file> writes the picture instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "png/png.h"
#include "tests/graphics/lit_frame_fixture.h"

namespace {

// One sample per base pixel (the window shows each as 4 by 4), top row first.
constexpr unsigned kWidth = 480, kHeight = 270;

std::vector<unsigned char> SampleWindow() {
    std::vector<unsigned char> window(1920 * 1080 * 4);
    glReadPixels(0, 0, 1920, 1080, GL_RGBA, GL_UNSIGNED_BYTE, window.data());
    std::vector<unsigned char> picture;
    for (unsigned y = 0; y < kHeight; ++y)
        for (unsigned x = 0; x < kWidth; ++x) {
            const size_t at = ((1079 - (y * 4 + 2)) * 1920 + x * 4 + 2) * 4;
            picture.insert(picture.end(), window.begin() + at, window.begin() + at + 3);
            picture.push_back(255);
        }
    return picture;
}

using GoldenFrame = LitFrameTest;

TEST_F(GoldenFrame, ALitSceneLooksAsItDidWhenLookedAt) {
    Picture("ground", 16, 16, [](unsigned x, unsigned y) {
        // A light frame around a darker square, with a mark in the top left.
        if (x < 4 && y < 4) return Rgba{200, 60, 60, 255};
        const bool edge = x == 0 || y == 0 || x == 15 || y == 15;
        return edge ? Rgba{170, 170, 150, 255} : Rgba{110, 120, 90, 255};
    });
    Picture("crate", 24, 32, [](unsigned x, unsigned y) {
        const bool board = (y / 8) % 2 == 0;
        return x < 2 || x > 21 ? Rgba{90, 60, 30, 255} : board ? Rgba{200, 150, 90, 255} : Rgba{170, 120, 70, 255};
    });
    Picture("ghost", 20, 20, [](unsigned x, unsigned y) {
        const int dx = static_cast<int>(x) - 10, dy = static_cast<int>(y) - 10;
        return dx * dx + dy * dy < 90 ? Rgba{120, 200, 255, 255} : Rgba{0, 0, 0, 0};
    });
    std::string tiles;
    for (int i = 0; i < 40 * 24; ++i) tiles += (i % 24 < 11) ? "1 " : "0 ";
    MakeTileMap(16, 40, 24, {"ground"}, tiles);

    global_ambient = {0.4f, 0.45f, 0.6f};
    global_ambient_intensity = 0.8f;
    AddSprite({-120, -40, 0}, "crate");
    AddSprite({-40, -40, 0}, "crate");
    AddSprite({-36, -44, 0.5f}, "crate");  // in front of the one above
    AddSprite({60.25f, -20, 0}, "crate", true, false);
    AddPointLight({.position = {-80, 20}, .color = {1.0f, 0.85f, 0.6f}, .ambient = 0.1f, .attenuation = {0.6f, 0.0f, 1.5f}});
    AddCaster({-80, -10}, 12, 8);
    AddSprite({0, -10, 0.5f}, "ghost", false, true, {1, 1, 1, 0.6f});
    DrawFrame();
    const std::vector<unsigned char> picture = SampleWindow();
    Graphics::EndFrame();

    const std::filesystem::path golden = std::filesystem::path(QM_SOURCE_DIR) / "tests/graphics/golden/lit_scene.png";
    if (const char* write = std::getenv("QM_WRITE_GOLDEN")) {
        std::ofstream(write, std::ios::binary) << EncodePng(kWidth, kHeight, picture);
        GTEST_SKIP() << "wrote " << write;
    }
    std::vector<unsigned char> expected;
    unsigned width = 0, height = 0;
    ASSERT_TRUE(LoadPngFile(golden.string(), expected, width, height)) << golden;
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    // Rasterisers may round a channel differently by a step or two.
    int worst = 0;
    size_t differing = 0;
    for (size_t i = 0; i < picture.size(); ++i) {
        const int difference = std::abs(int(picture[i]) - int(expected[i]));
        worst = std::max(worst, difference);
        if (difference > 3) ++differing;
    }
    EXPECT_EQ(differing, 0u) << "largest difference " << worst;
}

}  // namespace
