#pragma once
// The light renderer: the per-frame lists of what is in view, the 498 by 280
// gBuffer the lit scene is drawn into, the two shadow buffers and the shaders
// of the lighting passes. Graphics owns the one instance (created with the
// renderer, after the context, the shaders and the quads exist).
//
// Each frame Graphics::Draw calls CullToView, DrawShadows and DrawLit in that
// order and then composites from the buffers. The lists hold handles and raw
// component pointers that are valid only during the frame that filled them.

#include "core/entity/entity_handle.h"
#include "graphics/light_culling.h"
#include "graphics/shader.h"
#include "graphics/shadow_geometry.h"
#include "graphics/sprite_draw.h"

// Sets what every lit shader reads besides the lights: the level's moon light
// colour and global ambient, the 498 by 280 view and where the shadow band
// lies. The shader must be current.
void SetLitSceneUniforms(Shader& shader);

class PointLight;
class ShadowCaster;

class LightRenderer {
public:
    static constexpr int kWidth = 498;         // the base picture
    static constexpr int kHeight = 280;
    static constexpr int kShadowHeight = 980;  // the view and 700 units below it
    static constexpr int kShadowDrop = 700;
    static constexpr int kMaxShadowLights = 32;  // one bit each

    // Logs "gBuffer not complete!" or "sBuffer<n> not complete!" for a buffer
    // the driver refuses, and carries on.
    LightRenderer();
    ~LightRenderer();
    LightRenderer(const LightRenderer&) = delete;
    LightRenderer& operator=(const LightRenderer&) = delete;

    // Fills the lists for the current camera and stores the shadow caster
    // count. A zoom of 0 or one that is not a number leaves them empty.
    void CullToView();
    // Leaves in sBuffer 0 one bit per texel for each of the first 32 point
    // lights in whose shadow the texel lies.
    void DrawShadows();
    // Draws the environmental clamped sprites into the bound gBuffer, front
    // to back, with every uniform of the sprite shader set.
    void DrawLit(float dt);
    // One sprite through the sprite shader as DrawLit left it this frame.
    void DrawSprite(engine::entity_handle entity, float dt);

    light_culling::Lists lists;

    unsigned gBuffer = 0;
    unsigned gStencil = 0;
    unsigned gColour = 0;  // RGB16F
    unsigned gDepth = 0;   // R32F: the window depth of each lit texel, 1 where none
    unsigned sBuffers[2] = {0, 0};
    unsigned sStencils[2] = {0, 0};
    unsigned sTextures[2] = {0, 0};  // R32UI shadow bits
    Shader shadowShader;
    Shader spriteShader;
    unsigned streamVAO = 0;
    unsigned streamVBO = 0;
    // Sprites drawn many to a draw, by the lit and the forward pass.
    SpriteRuns spriteRuns;
    TileRuns tileRuns;  // the tile map's, one draw per tile texture
};
