#include "graphics/sprite_draw.h"

#include <array>

#include <epoxy/gl.h>

#include "core/entity/entity_base.h"
#include "graphics/device_state.h"
#include "graphics/graphics.h"
#include "graphics/sprite.h"

namespace {

// The area the quad DrawSpriteQuad would bind shows: a single frame has the
// whole picture on the shared quad.
glm::vec4 AreaShown(const Sprite& sprite) {
    const sprite_sheet::FrameArea area = sprite.frames > 1 ? sprite.quadArea : sprite_sheet::FrameArea{0.0f, 1.0f, 1.0f, 0.0f};
    return glm::vec4(area.u0, area.u1, area.vTop, area.vBottom);
}

std::array<unsigned, 3> Pictures(const Sprite& sprite) {
    return {sprite.texture, sprite.light_texture, sprite.sampler_texture};
}

bool SamePictures(const Sprite& a, const Sprite& b, int pictures) {
    const std::array<unsigned, 3> pa = Pictures(a), pb = Pictures(b);
    for (int i = 0; i < pictures; ++i)
        if (pa[i] != pb[i]) return false;
    return true;
}

}  // namespace

void DrawSpriteQuad(Sprite& sprite, float dt, Shader& shader, int modelLocation, int tintLocation) {
    sprite.StepAnimation(dt);
    // A single frame shows the whole picture on the shared quad.
    glBindVertexArray(sprite.frames > 1 ? sprite.quad.vao : graphics_state::spriteQuad.vao);
    shader.SetMat4At(modelLocation, Graphics::SpriteModelMatrix(sprite));
    shader.SetVec4At(tintLocation, sprite.tint);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

void DrawSpriteRuns(const std::vector<engine::entity_handle>& entities, float dt, int firstUnit, int pictures,
                    SpriteRuns& runs) {
    runs.instances.clear();
    runs.sprites.clear();
    for (const engine::entity_handle& entity : entities) {
        Sprite& sprite = *entity.GetBaseEntity().Get<Sprite>();
        sprite.StepAnimation(dt);
        runs.sprites.push_back(&sprite);
        runs.instances.push_back({Graphics::SpriteModelMatrix(sprite), sprite.tint, AreaShown(sprite)});
    }
    if (runs.instances.empty()) return;
    runs.buffer.Upload(runs.instances.data(), runs.instances.size());
    std::array<unsigned, 3> bound{};
    bool anyBound = false;
    for (size_t first = 0, end = 0; first < runs.sprites.size(); first = end) {
        const Sprite& sprite = *runs.sprites[first];
        for (end = first + 1; end < runs.sprites.size() && SamePictures(sprite, *runs.sprites[end], pictures);) ++end;
        const std::array<unsigned, 3> wanted = Pictures(sprite);
        for (int i = 0; i < pictures; ++i) {
            if (anyBound && bound[i] == wanted[i]) continue;
            glActiveTexture(GL_TEXTURE0 + firstUnit + i);
            glBindTexture(GL_TEXTURE_2D, wanted[i]);
            bound[i] = wanted[i];
        }
        anyBound = true;
        runs.buffer.Draw(first, end - first);
    }
}
