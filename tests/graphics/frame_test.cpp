// The composed frame read back from the window: draw order of the forward
// sprites, the lit picture against them, tiles behind lit sprites, and the
// letterbox.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include <GLFW/glfw3.h>

#include "tests/graphics/lit_frame_fixture.h"

namespace {

using Frame = LitFrameTest;

const Rgba kBlack{0, 0, 0, 0};

bool Near(Rgba a, Rgba b, int tolerance = 2) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(a[i] - b[i]) > tolerance) return false;
    return true;
}

::testing::AssertionResult ColourIs(Rgba actual, Rgba expected) {
    if (Near(actual, expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << int(actual[0]) << ", " << int(actual[1]) << ", " << int(actual[2])
                                         << ") instead of (" << int(expected[0]) << ", " << int(expected[1]) << ", "
                                         << int(expected[2]) << ")";
}

TEST_F(Frame, SpriteOrderPutsLowerDepthAndThenHigherSpritesFirst) {
    const struct {
        glm::vec3 a, b;
        bool aFirst;
    } cases[] = {
        {{0, 20, 0}, {0, 10, 0}, true},         // the higher one lies behind
        {{0, 10, 0}, {0, 20, 0}, false},
        {{0, 10, 0.000005f}, {0, 20, 0}, false},  // z within the tolerance counts as equal
        {{0, 10, -1}, {0, 20, 0}, true},        // lower z first, whatever the height
        {{0, 20, 1}, {0, 10, 0}, false},
    };
    for (const auto& c : cases) {
        const engine::entity_handle a = Entity(c.a), b = Entity(c.b);
        EXPECT_EQ(Graphics::SpriteOrderLess(a, b), c.aFirst) << c.a.y << " " << c.a.z << " vs " << c.b.y << " " << c.b.z;
    }
}

TEST_F(Frame, OverlappingForwardSpritesBlendInDrawOrder) {
    SolidPicture("red", {255, 0, 0, 255});
    SolidPicture("blue", {0, 0, 255, 255});
    // Created front first, so only the sort puts the higher (blue) one first;
    // the half-transparent red then blends over it.
    AddSprite({0, 10, 0}, "red", false, true, {1, 1, 1, 0.5f});
    AddSprite({0, 12, 0}, "blue", false);
    DrawFrame();
    EXPECT_TRUE(ColourIs(WindowAt(0.5f, 15.5f), {128, 0, 127, 255}));
    EXPECT_TRUE(ColourIs(WindowAt(0.5f, 26.5f), {0, 0, 255, 255}));  // blue alone above the red
    Graphics::EndFrame();
}

TEST_F(Frame, ForwardSpritesSortAgainstTheLitPictureOnTheSamePixels) {
    SolidPicture("red", {255, 0, 0, 255});
    SolidPicture("blue", {0, 0, 255, 255});
    AddSprite({0, 0, 0}, "red");                 // lit, x -8 to 8, y 0 to 16
    AddSprite({0, 0, 1}, "blue", false);         // nearer: in front of it
    AddSprite({40, 0, 0}, "red");                // lit
    AddSprite({40, 0, -1}, "blue", false);       // farther: hidden behind it
    DrawFrame();
    EXPECT_TRUE(ColourIs(WindowAt(0.5f, 8.5f), {0, 0, 255, 255}));
    EXPECT_TRUE(ColourIs(WindowAt(40.5f, 8.5f), {255, 0, 0, 255}));
    for (const float x : {-7.5f, 7.5f}) EXPECT_TRUE(ColourIs(WindowAt(x, 0.5f), {0, 0, 255, 255})) << x;
    for (const float x : {-8.5f, 8.5f}) EXPECT_TRUE(ColourIs(WindowAt(x, 0.5f), kBlack)) << x;
    // The lit picture lies on the same base pixels as forward drawing at the
    // same world position: the lit sprite's edges are where the forward ones are.
    for (const float x : {32.5f, 47.5f}) EXPECT_TRUE(ColourIs(WindowAt(x, 0.5f), {255, 0, 0, 255})) << x;
    for (const float x : {31.5f, 48.5f}) EXPECT_TRUE(ColourIs(WindowAt(x, 0.5f), kBlack)) << x;
    EXPECT_TRUE(ColourIs(WindowAt(40.5f, 15.5f), {255, 0, 0, 255}));
    EXPECT_TRUE(ColourIs(WindowAt(40.5f, 16.5f), kBlack));
    EXPECT_TRUE(ColourIs(WindowAt(40.5f, -0.5f), kBlack));
    Graphics::EndFrame();
}

TEST_F(Frame, TilesFillOnlyWhatNoLitSpriteCovers) {
    SolidPicture("red", {255, 0, 0, 255});
    // Two columns of two 16-unit cells: x -16 to 16, y -16 to 16, all red.
    MakeTileMap(16, 2, 2, {"red"}, "1 1 1 1 ");
    AddSprite({0, 0, 0}, "white");  // x -8 to 8, y 0 to 16
    DrawFrame();
    EXPECT_TRUE(ColourIs(WindowAt(0.5f, 8.5f), {255, 255, 255, 255}));
    EXPECT_TRUE(ColourIs(WindowAt(-12.5f, 8.5f), {255, 0, 0, 255}));
    EXPECT_TRUE(ColourIs(WindowAt(0.5f, -8.5f), {255, 0, 0, 255}));
    EXPECT_TRUE(ColourIs(WindowAt(-16.5f, 8.5f), kBlack));  // past the grid
    Graphics::EndFrame();
}

TEST_F(Frame, TilesShowTheirPictureUprightAndOnlyForLoadedIndices) {
    // Red on the top half of the picture, blue on the bottom half.
    Picture("updown", 16, 16, [](unsigned, unsigned y) { return y < 8 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255}; });
    // Four columns of two cells; the upper row (y 0 to 16) holds, from
    // x -32: index 1, then -1, 4294967295 (also -1 as written by the game)
    // and 9, past the texture list.
    MakeTileMap(16, 4, 2, {"updown"}, "0 1 0 -1 0 4294967295 0 9 ");
    DrawFrame();
    EXPECT_TRUE(ColourIs(WindowAt(-24.5f, 12.5f), {255, 0, 0, 255}));
    EXPECT_TRUE(ColourIs(WindowAt(-24.5f, 3.5f), {0, 0, 255, 255}));
    for (const float x : {-8.5f, 8.5f, 24.5f}) EXPECT_TRUE(ColourIs(WindowAt(x, 8.5f), kBlack)) << x;
    Graphics::EndFrame();
}

TEST_F(Frame, AZoomOfZeroDrawsAndCountsNothing) {
    AddSprite({0, 0, 0}, "white");
    AddSprite({20, 0, 0}, "white", false);
    AddPointLight({.position = {0.0f, 50.0f}});
    AddCaster({0.0f, 30.0f}, 10.0f, 10.0f);
    MakeTileMap(16, 2, 2, {"white"}, "1 1 1 1 ");
    for (const float zoom : {0.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(zoom);
        Camera::SetScale(zoom);
        DrawFrame();
        for (const glm::vec2 at : {glm::vec2(0.5f, 8.5f), glm::vec2(20.5f, 8.5f), glm::vec2(-12.5f, -8.5f)})
            EXPECT_TRUE(ColourIs(WindowAt(at.x, at.y), kBlack));
        EXPECT_EQ(Graphics::GetPointLightCount(), 0);
        EXPECT_EQ(Graphics::GetShadowCasterCount(), 0);
        Graphics::EndFrame();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Frame, AWindowOfAnotherAspectGetsBarsOutsideThePicture) {
    // Tiles far past the view on every side.
    std::string ones;
    for (int i = 0; i < 16 * 16; ++i) ones += "1 ";
    MakeTileMap(64, 16, 16, {"white"}, ones);
    Graphics::SetFullscreen(false);
    glfwSetWindowSize(Graphics::GetWindow(), 1280, 1024);
    int width = 0, height = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((width != 1280 || height != 1024) && std::chrono::steady_clock::now() < deadline) {
        glfwPollEvents();
        glfwGetFramebufferSize(Graphics::GetWindow(), &width, &height);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(width, 1280);
    ASSERT_EQ(height, 1024);
    DrawFrame();
    // 1280 by 1024 is taller than 498 by 280: the picture is 1280 by 720
    // from row 152.
    const Rgba white{255, 255, 255, 255};
    for (const int x : {0, 640, 1279}) {
        EXPECT_TRUE(ColourIs(WindowPixel(x, 151), kBlack)) << x;
        EXPECT_TRUE(ColourIs(WindowPixel(x, 152), white)) << x;
        EXPECT_TRUE(ColourIs(WindowPixel(x, 871), white)) << x;
        EXPECT_TRUE(ColourIs(WindowPixel(x, 872), kBlack)) << x;
    }
    Graphics::EndFrame();
}

}  // namespace

namespace {

TEST_F(Frame, AnUnclampedSpriteSlidesByItsOwnSubPixelRemainder) {
    // At x 10.25 the sprite spans world 2.25 to 18.25: a quarter of a base
    // pixel, one window pixel, right of the whole-pixel grid.
    AddSprite({10.25f, 0, 0}, "white", true, false);
    DrawFrame();
    const int row = 540 + 8 * 4;
    EXPECT_TRUE(ColourIs(WindowPixel(960 + 9 - 1, row), kBlack));
    EXPECT_TRUE(ColourIs(WindowPixel(960 + 9, row), {255, 255, 255, 255}));
    EXPECT_TRUE(ColourIs(WindowPixel(960 + 73 - 1, row), {255, 255, 255, 255}));
    EXPECT_TRUE(ColourIs(WindowPixel(960 + 73, row), kBlack));
    Graphics::EndFrame();
}

}  // namespace

namespace {

// The first and one past the last window column (or row) of white pixels
// along a line through the picture, from..to.
std::pair<int, int> WhiteSpan(bool alongRow, int line, int from, int to) {
    const Rgba white{255, 255, 255, 255};
    int first = -1, end = -1;
    for (int i = from; i < to; ++i) {
        Rgba pixel{};
        glReadPixels(alongRow ? i : line, alongRow ? line : i, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
        if (!Near(pixel, white)) continue;
        if (first < 0) first = i;
        end = i + 1;
    }
    return {first, end};
}

TEST_F(Frame, AnUnclampedLitSpriteLandsOnThePixelsOfAForwardSpriteAtTheSamePlace) {
    // The forward twin stands 60 units (240 window pixels) to the right.
    const glm::vec2 places[] = {{0.5f, 0.5f}, {-0.5f, -0.5f}, {1.5f, 2.5f}, {10.25f, 0.75f}, {0.5f, -1.5f}, {3.0f, 4.0f}};
    for (const glm::vec2 at : places) {
        SCOPED_TRACE(testing::Message() << at.x << ", " << at.y);
        AddSprite({at, 0.0f}, "white", true, false);
        AddSprite({at.x + 60.0f, at.y, 0.0f}, "white", false, false);
        DrawFrame();
        const int middleRow = 540 + static_cast<int>(std::floor((at.y + 8.0f) * 4));
        const auto litColumns = WhiteSpan(true, middleRow, 960 + static_cast<int>(at.x * 4) - 60, 960 + static_cast<int>(at.x * 4) + 60);
        const auto forwardColumns = WhiteSpan(true, middleRow, 1200 + static_cast<int>(at.x * 4) - 60, 1200 + static_cast<int>(at.x * 4) + 60);
        ASSERT_GE(litColumns.first, 0);
        EXPECT_EQ(litColumns.first + 240, forwardColumns.first);
        EXPECT_EQ(litColumns.second + 240, forwardColumns.second);
        const int litColumn = 960 + static_cast<int>(std::floor(at.x * 4));
        const auto litRows = WhiteSpan(false, litColumn, 540 + static_cast<int>(at.y * 4) - 20, 540 + static_cast<int>(at.y * 4) + 90);
        const auto forwardRows = WhiteSpan(false, litColumn + 240, 540 + static_cast<int>(at.y * 4) - 20, 540 + static_cast<int>(at.y * 4) + 90);
        ASSERT_GE(litRows.first, 0);
        EXPECT_EQ(litRows, forwardRows);
        Graphics::EndFrame();
        engine::DestroyAllEntities();
    }
}

TEST_F(Frame, TheLitSceneAndForwardSpritesShowInOrderForAnyCameraDepth) {
    SolidPicture("red", {255, 0, 0, 255});
    SolidPicture("blue", {0, 0, 255, 255});
    SolidPicture("green", {0, 255, 0, 255});
    MakeTileMap(16, 8, 2, {"green"}, "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 ");  // x -64 to 64, y -16 to 16
    AddSprite({0, 0, 0}, "red");
    AddSprite({0, 0, 0.5f}, "blue", false);    // in front of the lit red one
    AddSprite({40, 0, 0}, "red");
    AddSprite({40, 0, -0.5f}, "blue", false);  // behind it
    AddSprite({-40, 0, -0.5f}, "blue", false); // in front of the tiles
    for (const float cameraZ : {0.0f, -0.5f, 0.5f, -1.0f, 1.0f, 2.5f, -100.0f, 100.0f}) {
        SCOPED_TRACE(cameraZ);
        Camera::SetPosition({0.0f, 0.0f, cameraZ});
        DrawFrame();
        EXPECT_TRUE(ColourIs(WindowAt(0.5f, 8.5f), {0, 0, 255, 255}));
        EXPECT_TRUE(ColourIs(WindowAt(40.5f, 8.5f), {255, 0, 0, 255}));
        EXPECT_TRUE(ColourIs(WindowAt(-40.5f, 8.5f), {0, 0, 255, 255}));
        EXPECT_TRUE(ColourIs(WindowAt(20.5f, 8.5f), {0, 255, 0, 255}));
        EXPECT_TRUE(ColourIs(WindowAt(20.5f, -8.5f), {0, 255, 0, 255}));
        Graphics::EndFrame();
    }
}

}  // namespace
