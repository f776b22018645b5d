#version 330 core

in vec2 uv;
flat in vec4 quad_tint;  // "tint" or the copy's own

uniform sampler2D in_texture;

out vec4 color;

void main() {
    color = texture(in_texture, uv) * quad_tint;
    // Fully transparent texels must not write depth, or they would hide
    // whatever is drawn behind them later.
    if (color.a <= 0.0)
        discard;
}
