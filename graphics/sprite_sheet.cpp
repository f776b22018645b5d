#include "graphics/sprite_sheet.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace sprite_sheet {

namespace {

uint32_t AtLeastOne(uint32_t count) { return std::max<uint32_t>(count, 1); }

constexpr float kMinimumFrameTime = 0.0001f;

}  // namespace

FrameArea AreaOfFrame(uint32_t frame, uint32_t rows, uint32_t columns, uint32_t width, uint32_t height) {
    rows = AtLeastOne(rows);
    columns = AtLeastOne(columns);
    const uint32_t k = AtLeastOne(frame) - 1;
    const uint32_t row = k / columns;
    const uint32_t column = k % columns;
    const uint32_t fw = width / columns;
    const uint32_t fh = height / rows;
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    return {
        static_cast<float>(column * fw) / w,
        static_cast<float>((column + 1) * fw) / w,
        1.0f - static_cast<float>(row * fh) / h,
        1.0f - static_cast<float>((row + 1) * fh) / h,
    };
}

QuadVertices QuadOfArea(const FrameArea& a) {
    return {
        -0.5f, 0.0f, 0.0f, a.u0, a.vBottom,  //
        0.5f,  0.0f, 0.0f, a.u1, a.vBottom,  //
        0.5f,  1.0f, 0.0f, a.u1, a.vTop,     //
        0.5f,  1.0f, 0.0f, a.u1, a.vTop,     //
        -0.5f, 1.0f, 0.0f, a.u0, a.vTop,     //
        -0.5f, 0.0f, 0.0f, a.u0, a.vBottom,
    };
}

bool Advance(const Animation& animation, uint32_t& frame, float& elapsed, float dt) {
    if (animation.frames <= 1 || (!animation.looping && frame == animation.frames)) return false;
    elapsed += dt;
    if (!std::isfinite(elapsed)) {
        elapsed = 0.0f;
        return false;
    }
    if (!(elapsed >= animation.frame_time && animation.frame_time > kMinimumFrameTime)) return false;
    // Whole frame times by division: subtracting them one at a time never
    // ends once elapsed is so large that a frame time no longer changes it.
    const double e = elapsed;
    const double step = animation.frame_time;
    const double rest = std::fmod(e, step);
    const double steps = std::round((e - rest) / step);
    elapsed = static_cast<float>(rest);
    const double frames = animation.frames;
    const double reached = static_cast<double>(frame) + steps;
    // Past the last frame it wraps as often as needed, to 1, 2, ...
    frame = static_cast<uint32_t>(reached <= frames ? reached : std::fmod(reached - 1.0, frames) + 1.0);
    return true;
}

glm::mat4 ModelMatrix(const Placement& p) {
    const glm::vec3 size(static_cast<float>(p.width) / static_cast<float>(AtLeastOne(p.columns)),
                         static_cast<float>(p.height) / static_cast<float>(AtLeastOne(p.rows)), 1.0f);
    glm::vec3 at = p.position;
    if (p.clamped) {
        at = p.snapped;
        if (p.width % 2 == 1) at.x += 0.5f;
    }
    glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), at), size);
    model[3][2] = -p.position.z + (p.position.y + p.y_offset - p.cameraY) / 100000.0f;
    return model;
}

}  // namespace sprite_sheet
