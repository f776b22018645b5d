#version 330 core
// Lights a tile texel like the lit sprites: global ambient, moon light pools
// and point lights, a point light's diffuse part dropped where its bit is set
// in the shadow texture.

struct PointLight {
    vec2 pos;
    vec3 color;
    float ambient_intensity;
    float diffuse_intensity;
    vec3 attenuation;  // constant, linear, quadratic
};

struct MoonLight {
    vec2 pos;
    float intensity;
    float inner_radius;
};

uniform sampler2D in_texture;
uniform usampler2D shadow_texture;
uniform vec2 bottom_left_shadow_pos;  // world position of shadow texel (0, 0)
uniform vec2 shadow_uv_scale;

uniform vec3 moonlight_color;
uniform float moonlight_fade_dist;
uniform float moonlight_fade_exponent;
uniform vec3 global_ambient;
uniform float global_ambient_intensity;

uniform int num_pointlights;
uniform int num_moonlights;
uniform PointLight point_lights[45];
uniform MoonLight moon_lights[45];

in vec2 uv;
in vec2 world_pos;

layout(location = 0) out vec3 out_color;
layout(location = 1) out float out_depth;

// Attenuation coefficients apply to distances in hundreds of world units, so
// the default (0.2, 0, 1) lights a pool a few dozen tiles across.
const float kAttenuationUnit = 100.0;

vec3 PointLighting(uint shadowBits) {
    vec3 light = vec3(0.0);
    for (int i = 0; i < num_pointlights; ++i) {
        PointLight l = point_lights[i];
        float d = distance(world_pos, l.pos) / kAttenuationUnit;
        float falloff = l.attenuation.x + l.attenuation.y * d + l.attenuation.z * d * d;
        float diffuse = l.diffuse_intensity;
        if (i < 32 && ((shadowBits >> uint(i)) & 1u) != 0u) diffuse = 0.0;
        light += l.color * (l.ambient_intensity + diffuse) / max(falloff, 0.0001);
    }
    return light;
}

vec3 MoonLighting() {
    vec3 light = vec3(0.0);
    for (int i = 0; i < num_moonlights; ++i) {
        MoonLight m = moon_lights[i];
        float beyond = max(distance(world_pos, m.pos) - m.inner_radius, 0.0);
        float fade = 1.0 - clamp(beyond / max(moonlight_fade_dist, 0.0001), 0.0, 1.0);
        light += moonlight_color * m.intensity * pow(fade, moonlight_fade_exponent);
    }
    return light;
}

void main() {
    vec4 texel = texture(in_texture, uv);
    if (texel.a < 0.5) discard;
    uint shadowBits = texture(shadow_texture, (world_pos - bottom_left_shadow_pos) * shadow_uv_scale).r;
    vec3 light = global_ambient * global_ambient_intensity + PointLighting(shadowBits) + MoonLighting();
    out_color = texel.rgb * light;
    out_depth = gl_FragCoord.z;
}
