#include <cmath>

#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/light_renderer.h"

void LightRenderer::CullToView() {
    const float zoom = Camera::GetZoom();
    if (std::isfinite(zoom) && zoom != 0.0f) {
        light_culling::CullCurrentView(lists);
        return;
    }
    // A view scaled to nothing has no extent to hold anything; its corner
    // would be computed from infinities.
    const glm::vec3 camera = Camera::GetPosition();
    light_culling::Cull({camera, camera}, {}, 0.0f, lists);
    graphics_state::shadowCasterCount = 0;
}
