// The frame composition: the lighting passes into the off-screen buffers, the
// lit picture stretched onto the window, the unclamped environmental sprites
// one by one, then the forward sprites and the scripts' drawing.
#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "core/engine/engine.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/draw_order.h"
#include "graphics/graphics.h"
#include "graphics/sprite_draw.h"
#include "graphics/tile_map.h"

using namespace graphics_state;

namespace {

constexpr float kOrderTolerance = 0.00001f;

// Before the engine exists there is neither an editor nor a minimised window.
bool InEditor() { return g_engine != nullptr && Engine::GetMode() == Engine::kEditorMode; }
bool Minimized() { return g_engine != nullptr && Engine::IsMinimized(); }

// Places the 498 by 280 picture on the window at the pixel scale, flipped
// into the window's rows, shifted by `shift` base pixels (z 0: the forward
// depth shader writes the depth the lit pass stored, whatever the quad's).
glm::mat4 CompositeModel(glm::vec3 shift) {
    return glm::scale(glm::translate(glm::mat4(1.0f), shift),
                      glm::vec3(Camera::kBaseWidth, -static_cast<float>(Camera::kBaseHeight), 1.0f));
}

void DrawComposite(Shader& shader, const LightRenderer& lights, glm::vec3 shift) {
    shader.SetMat4("model", CompositeModel(shift));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, lights.gColour);
    shader.SetInt("in_texture", 0);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, lights.gDepth);
    shader.SetInt("in_depth", 1);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(centredQuad.vao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

void BindWindow() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, framebufferWidth, framebufferHeight);
}

void BindLitBuffer(const LightRenderer& lights) {
    glBindFramebuffer(GL_FRAMEBUFFER, lights.gBuffer);
    glViewport(0, 0, Camera::kBaseWidth, Camera::kBaseHeight);
}

void DrawLitScene(LightRenderer& lights, float dt) {
    glEnable(GL_DEPTH_TEST);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    BindLitBuffer(lights);
    glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    // Each texel is written once: by the frontmost sprite, else by a tile.
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    lights.DrawLit(dt);
    if (TileMap* map = GetTileMap()) map->Draw();
    glDisable(GL_STENCIL_TEST);
}

// What the lit buffer cannot show of an unclamped sprite's position: the
// rest after the whole pixel its quad covers there. The rasteriser gives a
// pixel whose centre lies on a quad's left or bottom edge to the quad, so a
// position on a half counts as the whole number below it (0.5 as 0, -0.5 as
// -1); rounding halves away from zero instead would shift positive halves a
// pixel away from where forward drawing puts them.
glm::vec3 RasterRemainder(glm::vec3 position) {
    const auto rest = [](float v) {
        const float whole = std::floor(v);
        return v - whole > 0.5f ? v - whole - 1.0f : v - whole;
    };
    return glm::vec3(rest(position.x), rest(position.y), 0.0f);
}

// The unclamped sprites move by their own sub-pixel remainder, so each gets
// its own pass through the lit buffer and its own composite.
void DrawUnclampedSprites(LightRenderer& lights, glm::vec3 cameraShift, float dt) {
    for (const engine::entity_handle& entity : lights.lists.looseSprites) {
        lights.spriteShader.Use();
        BindLitBuffer(lights);
        glClear(GL_COLOR_BUFFER_BIT);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, lights.sTextures[0]);
        lights.DrawSprite(entity, dt);

        forwardDepthShader->Use();
        BindWindow();
        DrawComposite(*forwardDepthShader, lights, cameraShift + RasterRemainder(entity.GetPosition()));
    }
}

void DrawForwardSprites(LightRenderer& lights, float dt) {
    Shader& shader = *forwardShader;
    shader.Use();
    glActiveTexture(GL_TEXTURE0);
    shader.SetInt("in_texture", 0);
    shader.SetMat4("view", Camera::WindowViewMatrix());
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBlendEquation(GL_FUNC_ADD);
    // Neighbours in the draw order that share their picture go in one draw,
    // whose copies blend in order.
    shader.SetInt("instanced", 1);
    DrawSpriteRuns(lights.lists.forwardSprites, dt, 0, 1, lights.spriteRuns);
    // Script drawing goes by "model" and "tint".
    shader.SetInt("instanced", 0);
    glBindVertexArray(0);
    glDisable(GL_DEPTH_TEST);
}

}  // namespace

bool Graphics::SpriteOrderLess(const engine::entity_handle& a, const engine::entity_handle& b) {
    const glm::vec3 pa = a.GetPosition(), pb = b.GetPosition();
    if (std::fabs(pa.z - pb.z) < kOrderTolerance) return pa.y > pb.y;
    return pa.z < pb.z;
}

void Graphics::Draw(float dt) {
    if (Minimized()) return;
    LightRenderer& lights = *lightRenderer;
    lights.CullToView();
    // The tolerance makes the order no strict ordering: a sort that stays in range.
    StableSort(lights.lists.forwardSprites, SpriteOrderLess);

    glDisable(GL_BLEND);
    lights.DrawShadows();
    DrawLitScene(lights, dt);

    BindWindow();
    const bool letterbox = !InEditor();
    if (letterbox) Camera::BeginLetterbox();
    // The camera's sub-pixel remainder: the lit buffer is drawn from the
    // camera's whole-pixel position and slides by the rest. Shifted by that
    // alone, its texels land on the base pixels where forward drawing puts
    // the same world points.
    const glm::vec3 camera = Camera::GetPosition();
    const glm::vec3 cameraShift(std::roundf(camera.x) - camera.x, std::roundf(camera.y) - camera.y, 0.0f);
    Shader& composite = *forwardDepthShader;
    composite.Use();
    composite.SetVec4("tint", glm::vec4(1.0f));
    composite.SetMat4("view", glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / framebufferWidth, 2.0f / framebufferHeight, 1.0f)) *
                                  glm::scale(glm::mat4(1.0f), Camera::PixelScaleFor(framebufferWidth, framebufferHeight)));
    DrawComposite(composite, lights, cameraShift);
    if (letterbox) Camera::EndLetterbox();

    DrawUnclampedSprites(lights, cameraShift, dt);

    if (letterbox) Camera::BeginLetterbox();
    DrawForwardSprites(lights, dt);
    events::Call<>("PostDraw");
    if (letterbox) Camera::EndLetterbox();
}
