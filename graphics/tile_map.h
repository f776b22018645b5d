#pragma once
// The level's one tile layer: a grid of tile indices centred on the world
// origin, tiles[x][y] with W columns of H cells. Index 0 is empty; index i
// is drawn with tile texture i. Cell (x, y) covers the tile_width by
// tile_height world rectangle centred on
// (tile_width * (x - W/2) + tile_width/2, tile_height * (y - H/2) + tile_height/2),
// with whole-number halves. Stored under the level file's "tile_map" key.
//
// One map exists at a time: created for each level load and destroyed
// before the next one.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <json/value.h>

class Shader;

using TileGrid = std::vector<std::vector<int32_t>>;

class TileMap {
public:
    // An empty map: one empty cell, tile sizes 0, only the "empty tile"
    // entry, and the tile shader. Needs the GL context.
    TileMap();
    ~TileMap();
    TileMap(const TileMap&) = delete;
    TileMap& operator=(const TileMap&) = delete;

    // Reads the "tile_map" object onto a fresh map: sizes, textures (through
    // the texture cache) and cells. Cells the "tiles" string leaves out stay
    // empty. Throws debug::exception for a grid too large to hold.
    void Deserialize(const Json::Value& value);
    Json::Value Serialize() const;

    // Draws the cells in view, lit, into the bound gBuffer; under the stencil
    // test the lit pass leaves, tiles fill only what no lit sprite covered.
    // Cells whose index names no loaded tile texture draw nothing.
    void Draw();

    // Changing a tile size leaves the grid alone; tiles are drawn at the new size.
    uint32_t GetTileWidth() const { return tile_width; }
    void SetTileWidth(uint32_t width) { tile_width = width; }
    uint32_t GetTileHeight() const { return tile_height; }
    void SetTileHeight(uint32_t height) { tile_height = height; }

    // Entry i names the texture of tile index i; entry 0 is "empty tile".
    const std::vector<std::string>& GetTextureNames() const { return textureNames; }
    // Loads name as tile texture index, padding the list with "debug" entries.
    void SetTexture(uint32_t index, const std::string& name);
    // Cells holding the removed index stay and are not drawn.
    void RemoveLastTexture();

    // Paints the cell under world position (wx, wy), growing the grid around
    // its centre when the cell lies outside. Index 0 erases and never grows
    // the grid; nothing happens while a tile size is 0 or for a position that
    // is not a number.
    void SetTile(float wx, float wy, int32_t index);
    // Grows the grid to at least columns by rows; every cell keeps its world
    // place. Never shrinks.
    void Resize(int32_t columns, int32_t rows);

private:
    int32_t Width() const { return static_cast<int32_t>(tiles.size()); }
    int32_t Height() const { return tiles.empty() ? 0 : static_cast<int32_t>(tiles[0].size()); }

    uint32_t tile_width = 0;
    uint32_t tile_height = 0;
    std::vector<uint32_t> textures;  // GL texture names; 0 is none
    std::vector<std::string> textureNames;
    TileGrid tiles;
    std::unique_ptr<Shader> tileShader;
};

// The cells as the "tiles" string: every cell as an unsigned decimal number
// followed by one space, column by column.
std::string FormatTiles(const TileGrid& tiles);
// The grid of a "tile_map" object: "width" columns of "height" cells filled
// from the whitespace-separated numbers of "tiles". Reading stops at the
// first token that is not a 32-bit number; the cells left over stay 0.
// A negative or missing size reads as 0; a grid too large to hold throws
// debug::exception.
TileGrid ReadTileGrid(const Json::Value& value);

// The current level's map; null before the first level load.
TileMap* GetTileMap();
// Replaces the current map with a new, empty one.
void CreateTileMap();
void DestroyTileMap();
