#version 330 core
// Textured quads drawn straight onto the window: sprites, script drawing and
// the composites of the lit scene.

layout (location = 0) in vec3 position;
layout (location = 1) in vec2 tex_coord;

uniform mat4 view;
uniform mat4 model;

out vec2 uv;

void main() {
    // Pictures are uploaded top row first; flipping v shows them upright in a
    // world whose y grows upwards.
    uv = vec2(tex_coord.x, 1.0 - tex_coord.y);
    gl_Position = view * model * vec4(position, 1.0);
}
