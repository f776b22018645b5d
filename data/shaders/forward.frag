#version 330 core

in vec2 uv;

uniform sampler2D in_texture;
uniform vec4 tint;

out vec4 color;

void main() {
    color = texture(in_texture, uv) * tint;
    // Fully transparent texels must not write depth, or they would hide
    // whatever is drawn behind them later.
    if (color.a <= 0.0)
        discard;
}
