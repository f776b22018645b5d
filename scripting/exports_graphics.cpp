// Drawing textures, full screen, the picture's size and the level's ambient
// light.
#include <algorithm>
#include <climits>
#include <cmath>

#include "core/lighting/level_lighting.h"
#include "graphics/camera.h"
#include "graphics/graphics.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"

namespace {

// Every load overwrites these.
unsigned loadedWidth = 0;
unsigned loadedHeight = 0;

// The letterbox in world units. At a zoom of 0 the quotient is infinite and
// has no int to stand for it: the answer is 0 then, and the nearest int for a
// zoom so small that the quotient leaves the int range.
int InWorldUnits(float pixels) {
    const double units = static_cast<double>(pixels) / Camera::PixelScale();
    if (std::isnan(units) || std::isinf(units)) return 0;
    return static_cast<int>(std::clamp(units, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

}  // namespace

// The size inside the texture is not used: width and height are world units.
void lb_graphics_draw(lb_texture texture, uint32_t width, uint32_t height, float x, float y, float z, float alpha) {
    AtEdge([&] { Graphics::DrawTexture(texture.id, width, height, glm::vec3(x, y, z), glm::vec4(1.0f, 1.0f, 1.0f, alpha)); });
}

bool lb_graphics_get_fullscreen() {
    return AtEdge(false, [] { return Graphics::IsFullscreen(); });
}

int lb_graphics_get_height() {
    return AtEdge(0, [] { return InWorldUnits(Camera::GetLetterboxSize().y); });
}

int lb_graphics_get_width() {
    return AtEdge(0, [] { return InWorldUnits(Camera::GetLetterboxSize().x); });
}

lb_texture lb_graphics_load_texture(const char* name) {
    return AtEdge(lb_texture{0, 0, 0}, [&] {
        const unsigned id = Graphics::LoadTexture(Text(name), loadedWidth, loadedHeight);
        return lb_texture{id, static_cast<int32_t>(loadedWidth), static_cast<int32_t>(loadedHeight)};
    });
}

void lb_graphics_set_fullscreen(bool on) {
    AtEdge([&] { Graphics::SetFullscreen(on); });
}

void lb_graphics_set_global_ambient_intensity(float intensity) {
    AtEdge([&] { global_ambient_intensity = intensity; });
}
