#include <algorithm>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/graphics.h"
#include "graphics/tile_map.h"
#include "graphics/tile_window.h"

void TileMap::Draw() {
    if (tile_width == 0 || tile_height == 0 || Width() < 2) return;
    const glm::vec3 camera = Camera::GetPosition();
    const glm::vec3 corner = Camera::ScreenToWorld(0.0f, 0.0f, 0.0f);
    const TileWindow window = VisibleTiles(camera, corner, tile_width, tile_height, Width(), Height());
    if (window.xs >= window.xe || window.ys >= window.ye) return;

    Shader& shader = *tileShader;
    shader.Use();
    SetLitSceneUniforms(shader);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, graphics_state::lightRenderer->sTextures[0]);
    shader.SetInt("shadow_texture", 1);
    glActiveTexture(GL_TEXTURE0);
    shader.SetInt("in_texture", 0);
    Graphics::SetLightUniforms(shader);

    TileRuns& runs = graphics_state::lightRenderer->tileRuns;
    runs.cells.clear();
    const int64_t halfWidth = Width() / 2, halfHeight = Height() / 2;
    const glm::vec3 size(static_cast<float>(tile_width), static_cast<float>(tile_height), 1.0f);
    for (int64_t column = window.xs; column < window.xe; ++column)
        for (int64_t row = window.ys; row < window.ye; ++row) {
            const int32_t index = tiles[column][row];
            // A file may hold any number; only indices naming a loaded tile texture draw.
            if (index <= 0 || static_cast<size_t>(index) >= textures.size() || textures[index] == 0) continue;
            const glm::vec3 centre(static_cast<float>(int64_t{tile_width} * (column - halfWidth)) + size.x / 2.0f,
                                   static_cast<float>(int64_t{tile_height} * (row - halfHeight)) + size.y / 2.0f,
                                   0.999f);
            runs.cells.emplace_back(index, glm::scale(glm::translate(glm::mat4(1.0f), centre), size));
        }
    if (runs.cells.empty()) return;
    // Tiles never overlap, so the cells of one texture can go in one draw.
    std::stable_sort(runs.cells.begin(), runs.cells.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    runs.models.clear();
    for (const auto& cell : runs.cells) runs.models.push_back(cell.second);
    runs.buffer.Upload(runs.models.data(), runs.models.size());
    shader.SetInt("instanced", 1);
    for (size_t first = 0, end = 0; first < runs.cells.size(); first = end) {
        const int32_t index = runs.cells[first].first;
        for (end = first + 1; end < runs.cells.size() && runs.cells[end].first == index;) ++end;
        glBindTexture(GL_TEXTURE_2D, textures[index]);
        runs.buffer.Draw(first, end - first);
    }
    shader.SetInt("instanced", 0);
    glBindVertexArray(0);
}
