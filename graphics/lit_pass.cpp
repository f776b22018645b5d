#include <epoxy/gl.h>

#include "core/entity/entity_base.h"
#include "graphics/draw_order.h"
#include "graphics/graphics.h"
#include "graphics/light_renderer.h"
#include "graphics/sprite.h"
#include "graphics/sprite_draw.h"

namespace {

void BindSpriteTextures(const Sprite& sprite) {
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, sprite.texture);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, sprite.light_texture);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, sprite.sampler_texture);
}

}  // namespace

void LightRenderer::DrawLit(float dt) {
    // Front to back: under the caller's stencil test the first sprite to
    // cover a texel keeps it.
    StableSort(lists.litSprites, CompareDrawOrder);
    spriteShader.Use();
    SetLitSceneUniforms(spriteShader);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sTextures[0]);
    spriteShader.SetInt("shadow_texture", 0);
    const int model = spriteShader.GetUniformLocation("model");
    const int tint = spriteShader.GetUniformLocation("tint");
    spriteShader.SetInt("in_texture", 1);
    spriteShader.SetInt("light_texture", 2);
    spriteShader.SetInt("sampler_texture", 3);
    Graphics::SetLightUniforms(spriteShader);
    for (const engine::entity_handle& entity : lists.litSprites) {
        Sprite& sprite = *entity.GetBaseEntity().Get<Sprite>();
        BindSpriteTextures(sprite);
        DrawSpriteQuad(sprite, dt, spriteShader, model, tint);
    }
    glActiveTexture(GL_TEXTURE0);
}

void LightRenderer::DrawSprite(engine::entity_handle entity, float dt) {
    Sprite& sprite = *entity.GetBaseEntity().Get<Sprite>();
    BindSpriteTextures(sprite);
    DrawSpriteQuad(sprite, dt, spriteShader, spriteShader.GetUniformLocation("model"),
                   spriteShader.GetUniformLocation("tint"));
    glActiveTexture(GL_TEXTURE0);
}
