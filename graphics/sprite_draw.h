#pragma once
// The part of drawing sprites that the lit and the forward passes share.

#include <vector>

#include "core/entity/entity_handle.h"
#include "graphics/instance_buffer.h"

class Shader;
class Sprite;

// One sprite: advance its animation, then draw its quad with its model
// matrix and tint through the current shader, by uniform locations looked up
// once per pass.
void DrawSpriteQuad(Sprite& sprite, float dt, Shader& shader, int modelLocation, int tintLocation);

// What drawing sprites in runs keeps between frames: the copies' buffer on
// the shared sprite quad and the lists refilled for each pass.
struct SpriteRuns {
    explicit SpriteRuns(const Quad& spriteQuad) : buffer(spriteQuad, true) {}
    InstanceBuffer buffer;
    std::vector<SpriteInstance> instances;
    std::vector<const Sprite*> sprites;
};

// Advances every sprite's animation, then draws them all in list order
// through the current shader, whose "instanced" is set: one draw for each run
// of neighbours whose first `pictures` textures (the picture, then its light
// and sampler companions) are the same, bound on the units from `firstUnit`.
// Each copy looks as DrawSpriteQuad would draw it.
void DrawSpriteRuns(const std::vector<engine::entity_handle>& entities, float dt, int firstUnit, int pictures,
                    SpriteRuns& runs);
