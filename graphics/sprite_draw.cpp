#include "graphics/sprite_draw.h"

#include <epoxy/gl.h>

#include "graphics/device_state.h"
#include "graphics/graphics.h"
#include "graphics/sprite.h"

void DrawSpriteQuad(Sprite& sprite, float dt, Shader& shader, int modelLocation, int tintLocation) {
    sprite.StepAnimation(dt);
    // A single frame shows the whole picture on the shared quad.
    glBindVertexArray(sprite.frames > 1 ? sprite.quad.vao : graphics_state::spriteQuad.vao);
    shader.SetMat4At(modelLocation, Graphics::SpriteModelMatrix(sprite));
    shader.SetVec4At(tintLocation, sprite.tint);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}
