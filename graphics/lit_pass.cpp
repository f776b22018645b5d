#include <epoxy/gl.h>

#include "core/entity/entity_base.h"
#include "graphics/draw_order.h"
#include "graphics/graphics.h"
#include "graphics/light_renderer.h"
#include "graphics/sprite.h"
#include "graphics/sprite_draw.h"

void LightRenderer::DrawLit(float dt) {
    // Front to back: under the caller's stencil test the first sprite to
    // cover a texel keeps it. The copies of one draw are drawn in order, so
    // runs of sprites sharing their pictures keep it too.
    StableSort(lists.litSprites, CompareDrawOrder);
    spriteShader.Use();
    SetLitSceneUniforms(spriteShader);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sTextures[0]);
    spriteShader.SetInt("shadow_texture", 0);
    spriteShader.SetInt("in_texture", 1);
    spriteShader.SetInt("light_texture", 2);
    spriteShader.SetInt("sampler_texture", 3);
    Graphics::SetLightUniforms(spriteShader);
    spriteShader.SetInt("instanced", 1);
    DrawSpriteRuns(lists.litSprites, dt, 1, 3, spriteRuns);
    // DrawSprite goes by "model" and "tint".
    spriteShader.SetInt("instanced", 0);
    glActiveTexture(GL_TEXTURE0);
}

void LightRenderer::DrawSprite(engine::entity_handle entity, float dt) {
    Sprite& sprite = *entity.GetBaseEntity().Get<Sprite>();
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, sprite.texture);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, sprite.light_texture);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, sprite.sampler_texture);
    DrawSpriteQuad(sprite, dt, spriteShader, spriteShader.GetUniformLocation("model"),
                   spriteShader.GetUniformLocation("tint"));
    glActiveTexture(GL_TEXTURE0);
}
