#version 330 core
// One tile: the centred unit quad scaled to the tile and moved to its cell.
// With "instanced" set, the tiles of one texture in one draw: each copy takes
// its model matrix from attributes 2 to 5 instead of "model".

layout(location = 0) in vec3 position;
layout(location = 1) in vec2 tex_coord;
layout(location = 2) in vec4 instance_model_0;
layout(location = 3) in vec4 instance_model_1;
layout(location = 4) in vec4 instance_model_2;
layout(location = 5) in vec4 instance_model_3;

uniform mat4 view;
uniform mat4 model;
uniform bool instanced;

out vec2 uv;
out vec2 world_pos;

void main() {
    mat4 m = instanced ? mat4(instance_model_0, instance_model_1, instance_model_2, instance_model_3) : model;
    vec4 world = m * vec4(position, 1.0);
    world_pos = world.xy;
    // Pictures are uploaded top row first; flip v as the forward shader does.
    uv = vec2(tex_coord.x, 1.0 - tex_coord.y);
    gl_Position = view * world;
}
