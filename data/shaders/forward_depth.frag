#version 330 core
// Composites the lit scene onto the window. Its "depth" texture holds, per
// texel, the window depth (gl_FragCoord.z) at which the lit pass drew it, and
// 1.0 where nothing was drawn. The lit pass ignores the camera's z while the
// forward pass subtracts it; this quad lies at clip depth 1 - camera z, so
// gl_FragCoord.z - 1.0 is exactly the -camera z / 2 that brings the lit depth
// onto the forward pass's scale, and forward sprites sort against the scene.

in vec2 uv;

uniform sampler2D in_texture;
uniform sampler2D in_depth;
uniform vec4 tint;

out vec4 color;

void main() {
    float depth = texture(in_depth, uv).r;
    // Leave the window alone where the lit pass drew nothing.
    if (depth >= 1.0)
        discard;
    color = texture(in_texture, uv) * tint;
    gl_FragDepth = depth + gl_FragCoord.z - 1.0;
}
