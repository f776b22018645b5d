#version 330 core
// Composites the lit scene onto the window. Its "depth" texture holds, per
// texel, the window depth (gl_FragCoord.z) at which the lit pass drew it, and
// 1.0 where nothing was drawn. Forward sprites are drawn at the depths of the
// same entities, so writing the stored depth sorts them against the scene.

in vec2 uv;
flat in vec4 quad_tint;  // "tint" or the copy's own

uniform sampler2D in_texture;
uniform sampler2D in_depth;

out vec4 color;

void main() {
    float depth = texture(in_depth, uv).r;
    // Leave the window alone where the lit pass drew nothing.
    if (depth >= 1.0)
        discard;
    color = texture(in_texture, uv) * quad_tint;
    gl_FragDepth = depth;
}
