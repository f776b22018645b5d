#include "graphics/tile_map.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "core/diagnostics/exception.h"
#include "graphics/graphics.h"
#include "graphics/shader.h"

namespace {

// Far beyond any hand-made level (about 2000 by 2000 cells); a file asking
// for more is damaged, and holding it could exhaust memory.
constexpr int64_t kMaxCells = int64_t{1} << 22;
// Each column costs about as much as this many cells besides its cells.
constexpr int64_t kColumnCost = 8;

std::unique_ptr<TileMap> tileMap;

bool FitsInMemory(int64_t columns, int64_t rows) {
    return columns <= kMaxCells && rows <= kMaxCells && columns * (rows + kColumnCost) <= kMaxCells;
}

// A whole number from 0 up to limit; anything else (a missing member, text,
// a negative number) reads as 0, and a larger number as limit.
int64_t WholeNumber(const Json::Value& value, double limit) {
    if (!value.isNumeric()) return 0;
    const double number = value.asDouble();
    if (!(number > 0)) return 0;
    return static_cast<int64_t>(std::min(number, limit));
}

// The cell index along one axis under a world coordinate: whole tiles from
// the origin, rounded towards minus infinity on the negative side the way
// the grid has always been painted (trunc, then minus one below zero).
int64_t CellOffset(float world, uint32_t tileSize) {
    const float tiles = world / static_cast<float>(tileSize);
    const int64_t limit = kMaxCells;
    const int64_t offset = static_cast<int64_t>(std::clamp(std::trunc(tiles), -float(limit), float(limit)));
    return world < 0 ? offset - 1 : offset;
}

// The next number of the "tiles" string; false at its end or at a token
// that is not a number of 32 bits (unsigned as written, or signed).
bool NextNumber(const char*& at, const char* end, int32_t& number) {
    while (at < end && std::isspace(static_cast<unsigned char>(*at))) ++at;
    int64_t value = 0;
    const auto [next, error] = std::from_chars(at, end, value);
    if (error != std::errc() || value < INT32_MIN || value > int64_t{UINT32_MAX}) return false;
    at = next;
    number = static_cast<int32_t>(static_cast<uint32_t>(value));
    return true;
}

}  // namespace

TileMap::TileMap()
    : textures{0},
      textureNames{"empty tile"},
      tiles{{0}},
      tileShader(std::make_unique<Shader>("shaders/tile_shader.vs", "shaders/tile_shader.frag")) {}

TileMap::~TileMap() = default;

TileGrid ReadTileGrid(const Json::Value& value) {
    if (!value.isObject()) return {};
    const int64_t width = WholeNumber(value["width"], 1e15);
    const int64_t height = WholeNumber(value["height"], 1e15);
    if (!FitsInMemory(width, height))
        throw debug::exception("TileMap::Deserialize: a tile map of " + std::to_string(width) + " by " +
                               std::to_string(height) + " cells is too large");
    TileGrid grid(width, std::vector<int32_t>(height, 0));
    const Json::Value& text = value["tiles"];
    if (!text.isString()) return grid;
    const char* begin = nullptr;
    const char* end = nullptr;
    text.getString(&begin, &end);
    for (auto& column : grid)
        for (int32_t& cell : column)
            if (!NextNumber(begin, end, cell)) return grid;
    return grid;
}

std::string FormatTiles(const TileGrid& tiles) {
    std::string text;
    for (const auto& column : tiles)
        for (int32_t cell : column) {
            text += std::to_string(static_cast<uint32_t>(cell));
            text += ' ';
        }
    return text;
}

void TileMap::Deserialize(const Json::Value& value) {
    const Json::Value map = value.isObject() ? value : Json::Value(Json::objectValue);
    TileGrid grid = ReadTileGrid(map);
    tile_width = static_cast<uint32_t>(WholeNumber(map["tile_width"], UINT32_MAX));
    tile_height = static_cast<uint32_t>(WholeNumber(map["tile_height"], UINT32_MAX));
    const Json::Value& names = map["tile_textures"];
    if (names.isArray())
        for (const Json::Value& name : names) {
            // A damaged entry keeps its place so later indices still match.
            const std::string texture = name.isString() ? name.asString() : "debug";
            unsigned w = 0, h = 0;
            textures.push_back(Graphics::LoadTexture(texture, w, h));
            textureNames.push_back(texture);
        }
    tiles = std::move(grid);
}

Json::Value TileMap::Serialize() const {
    Json::Value value(Json::objectValue);
    value["tile_width"] = Json::UInt(tile_width);
    value["tile_height"] = Json::UInt(tile_height);
    value["width"] = Json::UInt(Width());
    value["height"] = Json::UInt(Height());
    Json::Value names;  // null when there is no tile texture
    for (size_t i = 1; i < textureNames.size(); ++i) names.append(textureNames[i]);
    value["tile_textures"] = names;
    value["tiles"] = FormatTiles(tiles);
    return value;
}

void TileMap::SetTexture(uint32_t index, const std::string& name) {
    while (textures.size() < size_t{index} + 1) {
        textures.push_back(0);
        textureNames.push_back("debug");
    }
    unsigned w = 0, h = 0;
    textures[index] = Graphics::LoadTexture(name, w, h);
    textureNames[index] = name;
}

void TileMap::RemoveLastTexture() {
    if (textures.empty()) return;
    textures.pop_back();
    textureNames.pop_back();
}

void TileMap::SetTile(float wx, float wy, int32_t index) {
    // A position that is not a number names no cell.
    if (tile_width == 0 || tile_height == 0 || std::isnan(wx) || std::isnan(wy)) return;
    const int64_t tx = CellOffset(wx, tile_width);
    const int64_t ty = CellOffset(wy, tile_height);
    if (index == 0) {
        const int64_t x = Width() / 2 + tx;
        const int64_t y = Height() / 2 + ty;
        if (x > 0 && x < Width() && y > 0 && y < Height()) tiles[x][y] = 0;
        return;
    }
    const int64_t columns = 2 * std::abs(tx) + 2;
    const int64_t rows = 2 * std::abs(ty) + 2;
    if (columns > Width() || rows > Height()) {
        if (!FitsInMemory(std::max<int64_t>(columns, Width()), std::max<int64_t>(rows, Height()))) return;
        Resize(static_cast<int32_t>(columns), static_cast<int32_t>(rows));
    }
    tiles[Width() / 2 + tx][Height() / 2 + ty] = index;
}

void TileMap::Resize(int32_t columns, int32_t rows) {
    const int32_t width = Width(), height = Height();
    const int32_t newWidth = std::max(columns, width), newHeight = std::max(rows, height);
    if (!FitsInMemory(newWidth, newHeight)) return;
    TileGrid grid(newWidth, std::vector<int32_t>(newHeight, 0));
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y) grid[x - width / 2 + newWidth / 2][y - height / 2 + newHeight / 2] = tiles[x][y];
    tiles = std::move(grid);
}

TileMap* GetTileMap() { return tileMap.get(); }

void CreateTileMap() {
    tileMap.reset();
    tileMap = std::make_unique<TileMap>();
}

void DestroyTileMap() { tileMap.reset(); }
