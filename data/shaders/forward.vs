#version 330 core
// Textured quads drawn straight onto the window: sprites, script drawing and
// the composites of the lit scene. With "instanced" set, many sprites in one
// draw: each copy of the shared quad takes its model matrix, tint and frame
// area (left, right, top, bottom of the sheet) from attributes 2 to 7
// instead of "model", "tint" and the quad's own texture coordinates.

layout (location = 0) in vec3 position;
layout (location = 1) in vec2 tex_coord;
layout (location = 2) in vec4 instance_model_0;
layout (location = 3) in vec4 instance_model_1;
layout (location = 4) in vec4 instance_model_2;
layout (location = 5) in vec4 instance_model_3;
layout (location = 6) in vec4 instance_tint;
layout (location = 7) in vec4 instance_area;

uniform mat4 view;
uniform mat4 model;
uniform vec4 tint;
uniform bool instanced;

out vec2 uv;
flat out vec4 quad_tint;

void main() {
    mat4 m = model;
    vec2 corner = tex_coord;
    quad_tint = tint;
    if (instanced) {
        m = mat4(instance_model_0, instance_model_1, instance_model_2, instance_model_3);
        // The shared quad's corners stand for the frame's edges.
        corner = vec2(tex_coord.x < 0.5 ? instance_area.x : instance_area.y,
                      tex_coord.y < 0.5 ? instance_area.w : instance_area.z);
        quad_tint = instance_tint;
    }
    // Pictures are uploaded top row first; flipping v shows them upright in a
    // world whose y grows upwards.
    uv = vec2(corner.x, 1.0 - corner.y);
    gl_Position = view * m * vec4(position, 1.0);
}
