#include <cmath>
#include <sstream>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "core/diagnostics/console.h"
#include "graphics/tile_map.h"
#include "tests/support/error_text.h"
#include "tests/engine/game_folder.h"
#include "tests/support/gl_context.h"

namespace {

Json::Value JsonOf(const char* text) {
    std::istringstream in(text);
    Json::Value value;
    in >> value;
    return value;
}

// A map on a real context (its shader compiles) in a game folder.
class TileMapTest : public ::testing::Test {
protected:
    // The cells as the level file stores them, column by column.
    std::vector<int64_t> Cells() const {
        std::istringstream in(map->Serialize()["tiles"].asString());
        std::vector<int64_t> cells;
        for (int64_t cell; in >> cell;) cells.push_back(cell);
        return cells;
    }
    int Width() const { return map->Serialize()["width"].asInt(); }
    int Height() const { return map->Serialize()["height"].asInt(); }

    Json::Value Sized(int tileWidth, int tileHeight) const {
        Json::Value value(Json::objectValue);
        value["tile_width"] = tileWidth;
        value["tile_height"] = tileHeight;
        return value;
    }
    Json::Value Grid(int tileSize, int width, int height, const char* tiles) const {
        Json::Value value = Sized(tileSize, tileSize);
        value["width"] = width;
        value["height"] = height;
        value["tiles"] = tiles;
        return value;
    }

    GameFolder folder;
    testing_support::GlContext context;
    std::unique_ptr<TileMap> map = std::make_unique<TileMap>();
};

TEST_F(TileMapTest, TheTileShaderCompilesAndLinks) {
    for (const std::string& line : Console::GetLines()) EXPECT_EQ(line.find("error of type"), std::string::npos) << line;
}

TEST_F(TileMapTest, FreshMapHoldsOneEmptyCellAndTheEmptyTile) {
    EXPECT_EQ(Width(), 1);
    EXPECT_EQ(Height(), 1);
    EXPECT_EQ(Cells(), (std::vector<int64_t>{0}));
    EXPECT_EQ(map->GetTextureNames(), (std::vector<std::string>{"empty tile"}));
    EXPECT_EQ(map->GetTileWidth(), 0u);
}

TEST_F(TileMapTest, PaintingGrowsTheGridAroundItsCentreKeepingWorldPlaces) {
    map->Deserialize(Sized(16, 16));
    map->SetTile(0, 0, 3);
    EXPECT_EQ(Width(), 2);
    EXPECT_EQ(Height(), 2);
    EXPECT_EQ(Cells(), (std::vector<int64_t>{0, 0, 0, 3}));  // tiles[1][1]
    map->SetTile(-8, 0, 5);
    EXPECT_EQ(Width(), 4);
    EXPECT_EQ(Height(), 2);
    // tiles[1][1] = 5 is new, the first tile moved to tiles[2][1].
    EXPECT_EQ(Cells(), (std::vector<int64_t>{0, 0, 0, 5, 0, 3, 0, 0}));
}

TEST_F(TileMapTest, NegativeWorldPositionsRoundDownAfterTruncation) {
    map->Deserialize(Sized(16, 16));
    map->SetTile(-16, 0, 7);  // trunc(-1) - 1 = -2 tiles: needs 6 columns
    EXPECT_EQ(Width(), 6);
    EXPECT_EQ(Cells()[1 * 2 + 1], 7) << "tiles[3 - 2][1]";
}

TEST_F(TileMapTest, ErasingNeverClearsTheFirstColumnOrRow) {
    map->Deserialize(Grid(10, 4, 4, "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 "));
    map->SetTile(-15, 5, 0);  // cell (0, 2): outermost column, kept
    map->SetTile(5, -15, 0);  // cell (2, 0): outermost row, kept
    map->SetTile(-5, -5, 0);  // cell (1, 1): cleared
    map->SetTile(500, 500, 0);  // outside: nothing, and no growth
    EXPECT_EQ(Width(), 4);
    EXPECT_EQ(Cells(), (std::vector<int64_t>{1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(TileMapTest, NoPaintingWhileATileSizeIsZeroOrAtNoPosition) {
    map->Deserialize(Sized(16, 0));
    map->SetTile(100, 100, 2);
    EXPECT_EQ(Width(), 0);
    map->SetTileHeight(16);
    map->SetTile(std::nanf(""), 0, 2);
    map->SetTile(0, std::nanf(""), 2);
    EXPECT_EQ(Width(), 0);
}

TEST_F(TileMapTest, ResizeKeepsWorldPlacesAndNeverShrinks) {
    map->Deserialize(Grid(8, 3, 1, "1 2 3 "));
    map->Resize(4, 3);
    // Old x - 3/2 + 4/2 = x + 1; old y - 0 + 1 = 1.
    EXPECT_EQ(Cells(), (std::vector<int64_t>{0, 0, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0}));
    map->Resize(1, 1);
    EXPECT_EQ(Width(), 4);
    EXPECT_EQ(Height(), 3);
}

TEST_F(TileMapTest, SerialisationRoundTripRestoresSizesCellsAndTextureNames) {
    map->Deserialize(Sized(16, 24));
    map->SetTexture(1, "grass");
    map->SetTexture(3, "stone");  // pads entry 2 with "debug"
    map->SetTile(0, 0, 3);
    map->SetTile(-20, 30, 1);
    const Json::Value saved = map->Serialize();
    EXPECT_EQ(saved["tile_textures"], JsonOf(R"(["grass", "debug", "stone"])"));
    EXPECT_EQ(saved["tiles"].asString().back(), ' ');

    TileMap again;
    again.Deserialize(saved);
    EXPECT_EQ(again.Serialize(), saved);
    EXPECT_EQ(again.GetTextureNames(), (std::vector<std::string>{"empty tile", "grass", "debug", "stone"}));
    EXPECT_EQ(again.GetTileHeight(), 24u);
}

TEST_F(TileMapTest, NoTileTexturesIsWrittenAsNull) {
    const Json::Value saved = map->Serialize();
    EXPECT_TRUE(saved["tile_textures"].isNull());
    map->SetTexture(1, "grass");
    map->RemoveLastTexture();
    EXPECT_TRUE(map->Serialize()["tile_textures"].isNull());
    TileMap again;
    again.Deserialize(saved);
    EXPECT_EQ(again.GetTextureNames(), (std::vector<std::string>{"empty tile"}));
}

TEST_F(TileMapTest, ShortOrDamagedTileStringsLeaveTheRestEmpty) {
    map->Deserialize(Grid(16, 2, 3, "4 5 6 7"));
    EXPECT_EQ(Cells(), (std::vector<int64_t>{4, 5, 6, 7, 0, 0}));

    TileMap damaged;
    damaged.Deserialize(Grid(16, 2, 3, "1 2 x 4 5 6 "));
    EXPECT_EQ(damaged.Serialize()["tiles"].asString(), "1 2 0 0 0 0 ");

    TileMap wide;  // -1 as written, then a number too large
    wide.Deserialize(Grid(16, 2, 3, "4294967295 1 99999999999 "));
    EXPECT_EQ(wide.Serialize()["tiles"].asString(), "4294967295 1 0 0 0 0 ");
}

TEST_F(TileMapTest, MissingOrNonsenseSizesGiveAnEmptyGrid) {
    map->Deserialize(Json::Value());
    EXPECT_EQ(Width(), 0);
    EXPECT_EQ(Height(), 0);
    EXPECT_EQ(map->Serialize()["tiles"].asString(), "");

    Json::Value value(Json::objectValue);
    value["width"] = -3;
    value["height"] = "many";
    value["tile_width"] = -16;
    TileMap odd;
    odd.Deserialize(value);
    EXPECT_EQ(odd.Serialize()["width"].asInt(), 0);
    EXPECT_EQ(odd.GetTileWidth(), 0u);
}

TEST_F(TileMapTest, AGridTooLargeToHoldIsRefused) {
    EXPECT_EQ(ErrorText([&] { map->Deserialize(Grid(16, 100000, 100000, "")); }),
              "TileMap::Deserialize: a tile map of 100000 by 100000 cells is too large");
}

}  // namespace
