// Whole frames of a busy scene read back byte for byte against pictures of the
// same frames kept beside this test: the window, the shadow bits of sBuffer 0
// and the lit buffer's colour and depth. Every sprite kind (lit, unclamped,
// forward; single pictures, animated sheets, tinted, see-through), tiles of
// several textures, moon lights, casters in the view, below it and far off,
// and 0 to 50 point lights, so that the 32 lights that cast shadows and the
// 45 that reach the shaders are both crossed.
// QM_WRITE_READBACK=1 writes the pictures instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "png/png.h"
#include "tests/graphics/lit_frame_fixture.h"

namespace {

const std::filesystem::path kPictures = std::filesystem::path(QM_SOURCE_DIR) / "tests/graphics/readback";

unsigned seed = 77;
float Random(float low, float high) {
    seed = seed * 1103515245u + 12345u;
    return low + (high - low) * static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
}

// Any buffer as a picture of 8-bit RGBA pixels: four bytes a pixel, rows as
// they are read.
struct Bytes {
    unsigned width = 0, height = 0;  // in 4-byte pixels
    std::vector<unsigned char> data;
};

Bytes ReadWindow() {
    Bytes bytes{1920, 1080, std::vector<unsigned char>(1920 * 1080 * 4)};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(0, 0, 1920, 1080, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data.data());
    return bytes;
}

Bytes ReadTexture(unsigned texture, int width, int height, GLenum format, GLenum type, int bytesPerTexel) {
    Bytes bytes{static_cast<unsigned>(width * bytesPerTexel / 4), static_cast<unsigned>(height),
                std::vector<unsigned char>(static_cast<size_t>(width * height * bytesPerTexel))};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, format, type, bytes.data.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return bytes;
}

class FrameReadback : public LitFrameTest {
protected:
    void SetUp() override {
        LitFrameTest::SetUp();
        Picture("crate", 24, 32, [](unsigned x, unsigned y) {
            return x < 2 || x > 21 ? Rgba{90, 60, 30, 255} : (y / 8) % 2 ? Rgba{200, 150, 90, 255} : Rgba{170, 120, 70, 255};
        });
        Picture("crate_sm", 24, 32, [](unsigned x, unsigned y) {
            return Rgba{static_cast<unsigned char>(120 + x * 5), static_cast<unsigned char>(255 - y * 3), 200, 255};
        });
        Picture("crate_nm", 24, 32, [](unsigned, unsigned) { return Rgba{128, 128, 255, 255}; });
        // Eight frames of 16 by 16 in two rows, each its own colour, with a
        // see-through corner.
        Picture("sheet", 64, 32, [](unsigned x, unsigned y) {
            const unsigned frame = y / 16 * 4 + x / 16;
            if (x % 16 < 3 && y % 16 < 3) return Rgba{0, 0, 0, 0};
            return Rgba{static_cast<unsigned char>(30 * frame), static_cast<unsigned char>(255 - 25 * frame),
                        static_cast<unsigned char>(x * 4), 255};
        });
        Picture("ghost", 20, 20, [](unsigned x, unsigned y) {
            const int dx = static_cast<int>(x) - 10, dy = static_cast<int>(y) - 10;
            return dx * dx + dy * dy < 90 ? Rgba{120, 200, 255, 200} : Rgba{0, 0, 0, 0};
        });
        Picture("odd", 15, 13, [](unsigned x, unsigned y) {
            return Rgba{static_cast<unsigned char>(x * 17), 90, static_cast<unsigned char>(y * 19), 255};
        });
        Picture("ground", 16, 16, [](unsigned x, unsigned y) {
            if (x < 4 && y < 4) return Rgba{200, 60, 60, 255};
            return x == 0 || y == 0 ? Rgba{170, 170, 150, 255} : Rgba{110, 120, 90, 255};
        });
        Picture("stone", 16, 16, [](unsigned x, unsigned y) {
            return (x + y) % 5 == 0 ? Rgba{60, 60, 70, 100} : Rgba{140, 140, 160, 255};
        });
    }

    static engine::entity_handle AddSheet(glm::vec3 at, bool environmental, bool clamped, uint32_t frames,
                                          uint32_t frame, float frameTime, glm::vec4 tint = glm::vec4(1.0f)) {
        Json::Value json = SpriteJson("sheet", environmental, clamped, tint);
        json["frame_time"] = frameTime;
        json["frames"] = frames;
        json["rows"] = 2;
        json["columns"] = 4;
        const engine::entity_handle entity = Entity(at);
        entity.AddComponent("Sprite", json);
        Sprite& sprite = *entity.GetBaseEntity().Get<Sprite>();
        sprite.frame = frame;
        sprite.RebuildQuad();
        return entity;
    }

    // The scene around the camera at (3.25, -2.75): the view spans about
    // x -246 to 252 and y -143 to 137.
    static void BuildScene(int pointLights, bool unclamped) {
        seed = 77;
        std::string tiles;
        for (int i = 0; i < 40 * 24; ++i) tiles += std::to_string(i % 7 == 0 ? 0 : i % 11 == 0 ? 5 : 1 + i % 3 % 2) + " ";
        MakeTileMap(16, 40, 24, {"ground", "stone"}, tiles);
        moonlight_fade_dist = 60.0f;
        moonlight_fade_exponent = 2.0f;
        moonlight_color = {0.5f, 0.6f, 1.0f};
        global_ambient = {0.35f, 0.35f, 0.45f};
        global_ambient_intensity = 0.7f;
        for (const glm::vec2 at : {glm::vec2(-150, 60), glm::vec2(120, -90)}) {
            Json::Value moon;
            moon["offset"]["x"] = 5.0;
            moon["offset"]["y"] = -3.0;
            moon["intensity"] = 0.8;
            moon["inner_radius"] = 40.0;
            Entity({at, 0.0f}).AddComponent("MoonLight", moon);
        }

        // A run of crates sharing their pictures, front to back.
        for (int i = 0; i < 8; ++i) AddSprite({-200.0f + i * 9, -60.0f - i * 2, 0.1f * (i % 3)}, "crate");
        // Mixed pictures in random order, overlapping.
        const char* pictures[] = {"crate", "ghost", "odd", "white"};
        for (int i = 0; i < 40; ++i) {
            const glm::vec3 at(Random(-240, 240), Random(-140, 110), Random(-0.5f, 0.5f));
            if (i % 5 == 4)
                AddSheet(at, true, true, 1 + i % 8, 1 + i % 3, 0.05f + 0.01f * (i % 4));
            else
                AddSprite(at, pictures[i % 4], true, true, i % 6 == 0 ? glm::vec4(1.0f, 0.7f, 0.5f, 1.0f) : glm::vec4(1.0f));
        }
        // A sheet whose frame a script set without rebuilding its quad.
        AddSheet({30, 40, 0.2f}, true, true, 8, 2, 1.0f).GetBaseEntity().Get<Sprite>()->frame = 6;
        if (unclamped) {
            AddSprite({10.5f, 20.5f, 0.3f}, "crate", true, false);
            AddSprite({-60.25f, -30.75f, 0.0f}, "ghost", true, false);
            AddSheet({90.75f, 5.5f, -0.2f}, true, false, 4, 1, 0.06f);
        }
        // Forward sprites: single pictures, sheets, a whole sheet on one
        // frame, tinted and see-through, overlapping each other and the scene.
        for (int i = 0; i < 14; ++i) {
            const glm::vec3 at(Random(-230, 230), Random(-130, 100), Random(-0.6f, 0.6f));
            const glm::vec4 tint(1.0f, 1.0f - 0.05f * i, 1.0f, i % 3 == 0 ? 0.5f : 1.0f);
            if (i % 4 == 1)
                AddSheet(at, false, i % 2 == 0, i % 8 == 1 ? 1 : 4, 1 + i % 4, 0.07f, tint);
            else
                AddSprite(at, pictures[i % 4], false, i % 5 != 0, tint);
        }
        AddSprite({0, 0, 0.4f}, "ghost", false);
        AddSprite({4, 3, 0.4f}, "ghost", false, true, {1, 1, 1, 0.6f});

        for (int i = 0; i < pointLights; ++i) {
            Light light;
            light.position = {Random(-240, 240), Random(-135, 130)};
            light.radius = Random(60, 300);
            light.color = {Random(0.3f, 1), Random(0.3f, 1), Random(0.3f, 1)};
            light.ambient = 0.01f;
            light.diffuse = Random(0.05f, 0.25f);
            light.attenuation = {0.3f, 0.1f, Random(0.5f, 3.0f)};
            AddPointLight(light);
        }
        // Casters in the view (more than one batch), below it within a
        // shadow's reach, and far off.
        for (int i = 0; i < 60; ++i) AddCaster({Random(-240, 240), Random(-135, 130)}, Random(3, 20), Random(3, 12));
        for (int i = 0; i < 10; ++i) AddCaster({Random(-240, 240), Random(-400, -160)}, Random(4, 16), Random(4, 10));
        for (int i = 0; i < 5; ++i) AddCaster({Random(2000, 3000), Random(2000, 3000)}, 10, 10);
    }

    // Compares (or writes) one buffer's picture; returns the number of bytes
    // that differ.
    static size_t Check(const std::string& name, const Bytes& bytes) {
        const std::filesystem::path file = kPictures / (name + ".png");
        if (std::getenv("QM_WRITE_READBACK")) {
            std::filesystem::create_directories(kPictures);
            std::ofstream(file, std::ios::binary) << EncodePng(bytes.width, bytes.height, bytes.data);
            return 0;
        }
        std::vector<unsigned char> expected;
        unsigned width = 0, height = 0;
        EXPECT_TRUE(LoadPngFile(file.string(), expected, width, height)) << file;
        EXPECT_EQ(width, bytes.width) << name;
        EXPECT_EQ(height, bytes.height) << name;
        if (expected.size() != bytes.data.size()) return bytes.data.size();
        size_t differing = 0;
        for (size_t i = 0; i < expected.size(); ++i) differing += expected[i] != bytes.data[i];
        return differing;
    }
};

TEST_F(FrameReadback, BusyFramesStayByteForByteAsTheyWere) {
    const struct {
        const char* name;
        int pointLights;
        bool unclamped;
    } cases[] = {
        {"no_lights", 0, false}, {"one_light", 1, true},       {"32_lights", 32, false},
        {"33_lights", 33, true}, {"45_lights", 45, false},     {"50_lights", 50, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BuildScene(c.pointLights, c.unclamped);
        Camera::SetPosition({3.25f, -2.75f, 0.0f});
        // Three frames, so the sheets step on between them.
        for (int frame = 0; frame < 3; ++frame) {
            DrawFrame(0.13f);
            if (frame < 2) Graphics::EndFrame();
        }
        ASSERT_EQ(Graphics::GetPointLightCount(), c.pointLights);
        const std::string prefix = c.name;
        EXPECT_EQ(Check(prefix + "_window", ReadWindow()), 0u);
        EXPECT_EQ(Check(prefix + "_shadows",
                        ReadTexture(Lights().sTextures[0], 498, 980, GL_RED_INTEGER, GL_UNSIGNED_INT, 4)), 0u);
        // With unclamped sprites the lit buffer holds the last one's pass.
        EXPECT_EQ(Check(prefix + "_lit_colour", ReadTexture(Lights().gColour, 498, 280, GL_RGB, GL_HALF_FLOAT, 6)), 0u);
        EXPECT_EQ(Check(prefix + "_lit_depth", ReadTexture(Lights().gDepth, 498, 280, GL_RED, GL_FLOAT, 4)), 0u);
        Graphics::EndFrame();
        engine::DestroyAllEntities();
        DestroyTileMap();
    }
}

}  // namespace
