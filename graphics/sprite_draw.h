#pragma once
// The part of drawing a sprite that the lit and the forward passes share:
// advance its animation, then draw its quad with its model matrix and tint
// through the current shader, by uniform locations looked up once per pass.

class Shader;
class Sprite;

void DrawSpriteQuad(Sprite& sprite, float dt, Shader& shader, int modelLocation, int tintLocation);
