// Textures that a modder, a careless designer or a damaged disk could produce.
#include <sys/stat.h>

#include <cstdint>

#include "tests/e2e/hostile_files.h"

namespace {

// DEFLATE bits: values least significant bit first, Huffman codes most
// significant bit first.
class Bits {
public:
    void Value(uint32_t value, unsigned count) {
        for (unsigned i = 0; i < count; ++i, ++used) {
            if (used % 8 == 0) bytes.push_back('\0');
            bytes.back() = char(bytes.back() | ((value >> i) & 1) << (used % 8));
        }
    }
    void Code(uint32_t code, unsigned count) {
        for (unsigned i = count; i-- > 0;) Value(code >> i, 1);
    }
    std::string bytes;

private:
    size_t used = 0;
};

// A zlib stream of count zero bytes in about count / 1032 bytes: one dynamic
// block whose length 258 at distance 1 takes two bits.
std::string Zeros(uint64_t count) {
    Bits w;
    w.Value(1, 1);  // the last block
    w.Value(2, 2);  // dynamic codes
    w.Value(286 - 257, 5);
    w.Value(2 - 1, 5);
    w.Value(19 - 4, 4);
    // Code-length codes: 0 to 12 of four bits, 13 to 18 of five, in the
    // format's order.
    for (unsigned symbol : {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15})
        w.Value(symbol < 13 ? 4 : 5, 3);
    auto length = [&](unsigned symbol) { symbol < 13 ? w.Code(symbol, 4) : w.Code(26 + symbol - 13, 5); };
    auto zeroRun = [&](unsigned run) { length(18), w.Value(run - 11, 7); };
    // Literal/length codes: 0 and 256 (the end) two bits, 285 one bit;
    // distance codes 0 and 1 one bit each.
    length(2), zeroRun(138), zeroRun(117), length(2), zeroRun(28), length(1);
    length(1), length(1);
    w.Code(2, 2);  // the zero byte
    uint64_t left = count - 1;
    for (; left >= 258; left -= 258) w.Code(0, 2);  // 285, then distance 1
    for (; left > 0; --left) w.Code(2, 2);
    w.Code(3, 2);
    return "\x78\x9c" + w.bytes;
}

std::string U32(uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

std::string Chunk(const char* type, const std::string& body) {
    return U32(uint32_t(body.size())) + type + body + U32(0);
}

// An 8-bit RGBA picture of this size whose image data is the stream.
std::string Png(uint32_t width, uint32_t height, const std::string& stream) {
    return "\x89PNG\r\n\x1a\n" + Chunk("IHDR", U32(width) + U32(height) + std::string{8, 6, 0, 0, 0}) +
           Chunk("IDAT", stream) + Chunk("IEND", "");
}

// The start level with ten sprites of that picture, and a script that
// says, once the level runs, what size the picture's texture has: the
// debug picture's 16 by 16 when it failed.
void TenSpritesOf(HostileRun& run, const std::string& texture) {
    std::string entities;
    for (int i = 0; i < 10; ++i) {
        entities += std::string(i ? "," : "") + R"({"name": "Sprite )" + std::to_string(i) +
                    R"(", "pos": {"x": )" + std::to_string(i * 8) +
                    R"(, "y": 0, "z": 0}, "components": [{"__component_name": "Sprite", "texture": ")" + texture +
                    R"("}]})";
    }
    run.game.game.Write("levels/korvel_splash.json", R"({"entities": [)" + entities + "]}");
    run.game.game.Write("lua/autorun/hostile_texture.lua", R"(local C = require('ffi').C
local told = false
events.Connect("LogicUpdate", "HostileTexture", function()
    if told then return end
    told = true
    local texture = C.lb_graphics_load_texture(")" + texture + R"(")
    C.lb_print("texture )" + texture + R"( is " .. texture.width .. " by " .. texture.height)
end)
)");
}

// A good picture, then zeros to past the read cap: sparse, so it takes no disk.
void PaddedPastTheCap(HostileRun& run) {
    run.game.game.Write("textures/padded.png", Png(1, 1, Zeros(5)));
    std::filesystem::resize_file(run.game.game.path() / "textures/padded.png", (uint64_t(256) << 20) + 1);
    TenSpritesOf(run, "padded");
}

// A picture outside the game's folders, named from "textures/" by a name
// that starts at the root and climbs, as a level's sprites and a script
// give it.
void PictureOutside(HostileRun& run) {
    run.game.home.Write(".config/someapp/picture.png", Png(1, 1, Zeros(5)));
    const auto textures = run.game.game.path() / "textures";
    TenSpritesOf(run, "/" + HostileRun::Relative(run.Outside() / "picture", textures));
}

}  // namespace

std::vector<HostileRow> ImageRows() {
    return {
        // One pixel whose data inflates to 1 GiB from a megabyte.
        {"InflateBombOfOnePixel",
         [](HostileRun& run) {
             run.game.game.Write("textures/bomb.png", Png(1, 1, Zeros(uint64_t(1) << 30)));
             TenSpritesOf(run, "bomb");
         },
         "texture bomb is 1 by 1", "", false},
        // 8192 by 8192 from a quarter of a megabyte, short by its last row.
        {"PictureThatFailsAfterAQuarterGigabyte",
         [](HostileRun& run) {
             run.game.game.Write("textures/late.png", Png(8192, 8192, Zeros(uint64_t(8192) * 8192 * 4)));
             TenSpritesOf(run, "late");
         },
         "texture late is 16 by 16", "", false},
        {"TexturePastTheReadCap", PaddedPastTheCap, "texture padded is 16 by 16", "", false},
        {"TextureNameClimbsOutOfTheGame", PictureOutside, "someapp/picture is 16 by 16", "", false},
        {"TextureThatIsAFifo",
         [](HostileRun& run) {
             std::filesystem::create_directories(run.game.game.path() / "textures");
             mkfifo((run.game.game.path() / "textures/fifo.png").c_str(), 0600);
             TenSpritesOf(run, "fifo");
         },
         "texture fifo is 16 by 16", "", false},
    };
}
