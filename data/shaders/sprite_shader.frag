#version 330 core
// Lights a texel of an environmental sprite exactly as the tile shader lights
// a tile texel (global ambient, moon light pools, point lights without their
// diffuse part where the light's shadow bit is set), so a sprite standing on
// a tile under the same lights shows the same colour. The sampler texture
// masks the light a texel receives (white: all of it).

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
uniform sampler2D light_texture;  // bound for every sprite; not read
uniform sampler2D sampler_texture;
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
flat in vec4 sprite_tint;  // "tint" or the copy's own

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
        // pow(0, y) is undefined for y <= 0: outside the pool there is no light.
        if (fade > 0.0) light += moonlight_color * m.intensity * pow(fade, moonlight_fade_exponent);
    }
    return light;
}

// The shadow bits under this texel; outside the shadow band nothing is known
// to be shadowed, so no bit is set (rather than wrapping in from the far side).
uint ShadowBits() {
    vec2 band = (world_pos - bottom_left_shadow_pos) * shadow_uv_scale;
    if (any(lessThan(band, vec2(0.0))) || any(greaterThanEqual(band, vec2(1.0)))) return 0u;
    return texelFetch(shadow_texture, ivec2(band * vec2(textureSize(shadow_texture, 0))), 0).r;
}

void main() {
    vec4 texel = texture(in_texture, uv) * sprite_tint;
    // Fully transparent texels leave the buffer to whatever lies behind.
    if (texel.a <= 0.0) discard;
    uint shadowBits = ShadowBits();
    vec3 light = global_ambient * global_ambient_intensity + PointLighting(shadowBits) + MoonLighting();
    out_color = texel.rgb * light * texture(sampler_texture, uv).rgb;
    // The forward depth shader reads this back to sort forward sprites
    // against the lit scene.
    out_depth = gl_FragCoord.z;
}
