#version 330 core
// Shadow geometry in world units, placed in the shadow band by "view".
// light_bit: which light's shadow the vertex belongs to, counted on from
// "shadow_num", so that the shadows of many lights go in one draw (0 where
// the vertices do not say).

layout(location = 0) in vec2 position;
layout(location = 1) in uint light_bit;

uniform mat4 view;

flat out uint light;

void main() {
    light = light_bit;
    gl_Position = view * vec4(position, 0.0, 1.0);
}
