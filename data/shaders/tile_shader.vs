#version 330 core
// One tile: the centred unit quad scaled to the tile and moved to its cell.

layout(location = 0) in vec3 position;
layout(location = 1) in vec2 tex_coord;

uniform mat4 view;
uniform mat4 model;

out vec2 uv;
out vec2 world_pos;

void main() {
    vec4 world = model * vec4(position, 1.0);
    world_pos = world.xy;
    // Pictures are uploaded top row first; flip v as the forward shader does.
    uv = vec2(tex_coord.x, 1.0 - tex_coord.y);
    gl_Position = view * world;
}
