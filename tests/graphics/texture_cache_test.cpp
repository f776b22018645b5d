#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <sys/stat.h>

#include <epoxy/gl.h>

#include "core/diagnostics/console.h"
#include "core/diagnostics/exception.h"
#include "graphics/sprite.h"
#include "png/png.h"
#include "tests/graphics/graphics_fixture.h"
#include "tests/graphics/png_writer.h"

namespace {

// Three by two: a red, green, blue row above a cyan, magenta, yellow row.
const std::vector<unsigned char> kPicture = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,
                                             0, 255, 255, 255, 255, 0, 255, 255, 255, 255, 0, 255};

std::vector<unsigned char> TexturePixels(unsigned texture, unsigned width, unsigned height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

struct Loaded {
    unsigned texture;
    unsigned width, height;
    bool loaded;
};

Loaded Load(const std::string& name) {
    Loaded result{0, 0, 0, false};
    result.texture = Graphics::LoadTexture(name, result.width, result.height, &result.loaded);
    return result;
}

using TextureCache = GraphicsTest;

TEST_F(TextureCache, DecodesANameOnceAndRemembersItsName) {
    dir.Write("textures/hero.png", EncodePng(3, 2, kPicture));
    const Loaded first = Load("hero");
    EXPECT_TRUE(first.loaded);
    EXPECT_EQ(first.width, 3u);
    EXPECT_EQ(first.height, 2u);
    EXPECT_EQ(TexturePixels(first.texture, 3, 2), kPicture);  // top row first
    EXPECT_EQ(Graphics::GetTextureName(first.texture), "hero");

    std::filesystem::remove(dir.path() / "textures/hero.png");
    const Loaded again = Load("hero");
    EXPECT_EQ(again.texture, first.texture);
    EXPECT_TRUE(again.loaded);
    EXPECT_EQ(again.width, 3u);
    EXPECT_EQ(again.height, 2u);
}

TEST_F(TextureCache, AfterClearTexturesFilesAreReadAgain) {
    dir.Write("textures/hero.png", EncodePng(3, 2, kPicture));
    const unsigned first = Load("hero").texture;
    Graphics::ClearTextures();
    EXPECT_FALSE(glIsTexture(first));

    dir.Write("textures/hero.png", EncodePng(1, 1, {1, 2, 3, 4}));
    const Loaded second = Load("hero");
    EXPECT_TRUE(second.loaded);
    EXPECT_EQ(second.width, 1u);
    EXPECT_EQ(second.height, 1u);
    EXPECT_EQ(TexturePixels(second.texture, 1, 1), (std::vector<unsigned char>{1, 2, 3, 4}));
    EXPECT_EQ(Graphics::GetTextureName(second.texture), "hero");
}

TEST_F(TextureCache, UnloadablePicturesGiveTheDebugTextureWithoutBeingCached) {
    const Loaded debug = Load("debug");
    EXPECT_TRUE(debug.loaded);
    ASSERT_EQ(debug.width, 16u);
    ASSERT_EQ(debug.height, 16u);

    dir.Write("textures/garbled.png", "\x89PNG\r\n\x1a\nnot really");
    dir.Write("textures/huge.png", EncodePng(16385, 1, std::vector<unsigned char>(16385 * 4, 255)));
    for (const char* name : {"ghost", "garbled", "huge", ""}) {
        SCOPED_TRACE(name);
        unsigned before = 0;
        glGenTextures(1, &before);
        const Loaded fallback = Load(name);
        EXPECT_EQ(fallback.texture, debug.texture);
        EXPECT_FALSE(fallback.loaded);
        EXPECT_EQ(fallback.width, 16u);
        EXPECT_EQ(fallback.height, 16u);
        EXPECT_FALSE(glIsTexture(before + 1));  // the texture made for the failed load is gone
        glDeleteTextures(1, &before);
    }

    // Only the debug picture is cached for them.
    dir.Write("textures/ghost.png", EncodePng(3, 2, kPicture));
    Graphics::ClearTextures();
    const Loaded ghost = Load("ghost");
    EXPECT_TRUE(ghost.loaded);
    EXPECT_NE(ghost.texture, debug.texture);
    EXPECT_EQ(ghost.width, 3u);
}

TEST_F(TextureCache, AFailedPictureIsReadOnceUntilTheCacheEmpties) {
    const Loaded debug = Load("debug");
    ASSERT_TRUE(debug.loaded);
    // Its header says three rows, its data holds two: refused.
    std::string broken = EncodePng(3, 2, kPicture);
    ASSERT_EQ(broken.substr(12, 4), "IHDR");
    broken[23] = 3;
    dir.Write("textures/broken.png", broken);
    const Loaded first = Load("broken");
    EXPECT_FALSE(first.loaded);
    EXPECT_EQ(first.texture, debug.texture);

    // Mended on disk, it is not read again: every sprite using it gets the
    // debug texture, as the first did.
    dir.Write("textures/broken.png", EncodePng(3, 2, kPicture));
    std::vector<std::unique_ptr<Sprite>> sprites;
    for (int i = 0; i < 10; ++i) {
        sprites.push_back(std::make_unique<Sprite>());
        sprites.back()->SetTexture("broken");
        EXPECT_EQ(sprites.back()->texture, debug.texture);
        EXPECT_EQ(sprites.back()->width, 16u);
        EXPECT_EQ(sprites.back()->texture_name, "broken");
    }
    EXPECT_FALSE(Load("broken").loaded);

    // The editor's reload empties the cache and forgets the failure with it.
    Graphics::ClearTextures();
    const Loaded mended = Load("broken");
    EXPECT_TRUE(mended.loaded);
    EXPECT_EQ(mended.width, 3u);
    EXPECT_EQ(mended.height, 2u);
    EXPECT_EQ(TexturePixels(mended.texture, 3, 2), kPicture);
}

TEST_F(TextureCache, WithoutADebugPictureABuiltInOneStandsIn) {
    std::filesystem::remove(dir.path() / "textures/debug.png");
    const Loaded fallback = Load("ghost");
    EXPECT_FALSE(fallback.loaded);
    EXPECT_EQ(fallback.width, 2u);
    EXPECT_EQ(fallback.height, 2u);
    EXPECT_EQ(TexturePixels(fallback.texture, 2, 2),
              (std::vector<unsigned char>{255, 0, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 255}));
    // Saved sprites name it like the picture it stands for.
    EXPECT_EQ(Graphics::GetTextureName(fallback.texture), "debug");
    EXPECT_EQ(Load("debug").texture, fallback.texture);

    // An undecodable debug picture too.
    Graphics::ClearTextures();
    dir.Write("textures/debug.png", "junk");
    const Loaded other = Load("other");
    EXPECT_NE(other.texture, 0u);
    EXPECT_FALSE(other.loaded);
    EXPECT_EQ(other.width, 2u);
}

// Each name below would reach a picture that is there without the check.
TEST_F(TextureCache, NamesThatCouldLeaveTheTextureFolderGiveTheDebugTextureSaidOnce) {
    const Loaded debug = Load("debug");
    dir.Write("outside.png", EncodePng(3, 2, kPicture));
    dir.Write("textures/hero.png", EncodePng(3, 2, kPicture));
    dir.Write("textures/tiles\\moss.png", EncodePng(3, 2, kPicture));
    dir.Write("textures/tiles/moss.png", EncodePng(3, 2, kPicture));
    const std::string stands = "; the \"debug\" texture stands in";
    const struct {
        std::string name, line;
    } cases[] = {
        {"../outside", "LoadTexture: texture \"../outside\" refused: a texture name holds no \"..\"" + stands},
        {"tiles/../../outside",
         "LoadTexture: texture \"tiles/../../outside\" refused: a texture name holds no \"..\"" + stands},
        {"/hero", "LoadTexture: texture \"/hero\" refused: a texture name does not start with \"/\"" + stands},
        {"tiles\\moss", "LoadTexture: texture \"tiles\\moss\" refused: a texture name holds no backslash" + stands},
        {std::string("hero.png\0", 9),
         "LoadTexture: texture \"hero.png?\" refused: a texture name holds no NUL" + stands},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const size_t lines = Console::GetLines().size();
        for (int time = 0; time < 2; ++time) {
            const Loaded fallback = Load(c.name);
            EXPECT_FALSE(fallback.loaded);
            EXPECT_EQ(fallback.texture, debug.texture);
            EXPECT_EQ(fallback.width, 16u);
        }
        ASSERT_EQ(Console::GetLines().size(), lines + 1) << "said once";
        EXPECT_EQ(Console::GetLines().back(), c.line);
    }
    // A sprite says it once too, not again for its companion pictures, and
    // keeps the name it was given.
    const size_t lines = Console::GetLines().size();
    Sprite sprite;
    sprite.SetTexture("../../outside");
    EXPECT_EQ(sprite.texture, debug.texture);
    EXPECT_EQ(sprite.texture_name, "../../outside");
    EXPECT_EQ(Console::GetLines().size(), lines + 1);

    const Loaded moss = Load("tiles/moss");
    EXPECT_TRUE(moss.loaded) << "a folder below textures/ is fine";
    EXPECT_EQ(moss.width, 3u);
}

// What a designer sees for each picture that cannot be used: the debug
// texture and one line naming the texture and why, however often it is used.
TEST_F(TextureCache, UnusablePicturesAreSaidOncePerNameWithTheReason) {
    const unsigned debug = Load("debug").texture;
    const std::string png = EncodePng(3, 2, kPicture);
    dir.Write("textures/notes.png", "Notes on the hero: walks left, then right.");
    dir.Write("textures/truncated.png", png.substr(0, png.size() - 20));
    ASSERT_EQ(mkfifo((dir.path() / "textures/pipe.png").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "textures/folder.png");
    dir.Write("textures/wide.png", EncodePng(16385, 1, std::vector<unsigned char>(16385 * 4, 255)));
    dir.Write("textures/padded.png", png);
    std::filesystem::resize_file(dir.path() / "textures/padded.png", (size_t{256} << 20) + 1);
    const std::pair<std::string, std::string> cases[] = {
        {"heor", "there is no file \"textures/heor.png\""},
        {"./heor", "there is no file \"textures/heor.png\""},  // each spelling a level uses is said
        {"notes", "\"textures/notes.png\" is not a readable PNG (decoder error 28)"},
        {"truncated", "\"textures/truncated.png\" is not a readable PNG (decoder error 35)"},
        {"pipe", "\"textures/pipe.png\" is not a plain file"},
        {"folder", "\"textures/folder.png\" is not a plain file"},
        {"wide", "\"textures/wide.png\" is too large (16385 by 1 pixels, at most 16384 by 16384)"},
        {"padded", "\"textures/padded.png\" is too large (over 256 MB)"},
    };
    const auto said = [](const std::string& name, const std::string& why) {
        return "LoadTexture: texture \"" + name + "\" not loaded: " + why + "; the \"debug\" texture stands in";
    };
    for (const auto& [name, why] : cases) {
        const size_t lines = Console::GetLines().size();
        EXPECT_EQ(Load(name).texture, debug) << name;
        Sprite sprite;
        sprite.SetTexture(name);  // the name again, and its companions, which are missing
        EXPECT_EQ(sprite.texture, debug) << name;
        ASSERT_EQ(Console::GetLines().size(), lines + 1) << name << ": said once";
        EXPECT_EQ(Console::GetLines().back(), said(name, why));
    }

    // A companion that is there but unusable is said; the editor's reload
    // reads the pictures again and says again what still fails.
    dir.Write("textures/hero.png", png);
    dir.Write("textures/hero_nm.png", "a light map still to be drawn, left as a note");
    Sprite().SetTexture("hero");
    EXPECT_EQ(Console::GetLines().back(),
              said("hero_nm", "\"textures/hero_nm.png\" is not a readable PNG (decoder error 28)"));
    Graphics::ClearTextures();
    Load("heor");
    EXPECT_EQ(Console::GetLines().back(), said("heor", cases[0].second));
}

// One picture file is decoded and held once, however a level spells its name,
// and each sprite is saved with the name it was given.
TEST_F(TextureCache, EverySpellingOfAPictureSharesOneTexture) {
    dir.Write("textures/hero.png", EncodePng(3, 2, kPicture));
    const Loaded first = Load("hero");
    ASSERT_TRUE(first.loaded);
    std::filesystem::remove(dir.path() / "textures/hero.png");  // only what is held can answer now
    const Sprite companions;  // its debug pictures are loaded before the count starts
    unsigned before = 0;
    glGenTextures(1, &before);
    for (const std::string name : {"./hero", "././hero", ".//hero"}) {
        Sprite sprite;
        sprite.SetTexture(name);
        EXPECT_EQ(sprite.texture, first.texture) << name;
        EXPECT_EQ(sprite.width, 3u) << name;
        EXPECT_EQ(sprite.Serialize()["texture"].asString(), name);
    }
    unsigned after = 0;
    glGenTextures(1, &after);
    EXPECT_EQ(after, before + 1) << "no texture was made for another spelling";
    EXPECT_EQ(Graphics::GetTextureName(first.texture), "hero") << "the name it was first loaded under";
}

TEST_F(TextureCache, NamesAreKnownOnlyForTexturesLoadedByName) {
    unsigned texture = 0;
    glGenTextures(1, &texture);
    try {
        Graphics::GetTextureName(texture);
        ADD_FAILURE() << "no exception";
    } catch (const debug::exception& error) {
        EXPECT_EQ(std::string(error.what()), "GetTextureName: texture " + std::to_string(texture) +
                                                 " was not loaded by name");
    }
}

TEST(ShippedTextures, DecodeWithOurDecoderAtOneSize) {
    struct Expected {
        const char* file;
        std::vector<unsigned char> topLeft, nextSquare;
    };
    for (const Expected& picture : {Expected{"debug.png", {255, 0, 255, 255}, {0, 0, 0, 255}},
                                    Expected{"debug_nm.png", {128, 128, 255, 255}, {128, 128, 255, 255}},
                                    Expected{"debug_sm.png", {255, 255, 255, 255}, {255, 255, 255, 255}}}) {
        SCOPED_TRACE(picture.file);
        std::vector<unsigned char> rgba;
        unsigned width = 0, height = 0;
        ASSERT_TRUE(LoadPngFile(std::string(QM_DATA_DIR) + "/textures/" + picture.file, rgba, width, height));
        EXPECT_EQ(width, 16u);
        EXPECT_EQ(height, 16u);
        EXPECT_EQ(std::vector<unsigned char>(rgba.begin(), rgba.begin() + 4), picture.topLeft);
        EXPECT_EQ(std::vector<unsigned char>(rgba.begin() + 8 * 4, rgba.begin() + 9 * 4), picture.nextSquare);
    }
}

}  // namespace
