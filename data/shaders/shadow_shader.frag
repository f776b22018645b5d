#version 330 core
// Marks a texel as shadowed from one light: the texel of the lights drawn so
// far (the other shadow buffer) with this light's bit set.

uniform usampler2D shadow_texture;
uniform uint shadow_num;  // the light's bit, 0 to 31

flat in uint light;

layout(location = 0) out uint shadow_bits;

void main() {
    shadow_bits = texelFetch(shadow_texture, ivec2(gl_FragCoord.xy), 0).r | (1u << (shadow_num + light));
}
