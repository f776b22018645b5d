#include "graphics/camera_math.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "graphics/camera.h"

namespace camera_math {

int PixelScale(int width, int height) {
    const float across = std::ceil(static_cast<float>(width) / static_cast<float>(Camera::kBaseWidth));
    const float down = std::ceil(static_cast<float>(height) / static_cast<float>(Camera::kBaseHeight));
    return static_cast<int>(std::min(std::max(1.0f, across), std::max(1.0f, down)));
}

Rect Letterbox(int width, int height) {
    const float ax = static_cast<float>(width) / static_cast<float>(Camera::kBaseWidth);
    const float ay = static_cast<float>(height) / static_cast<float>(Camera::kBaseHeight);
    if (ay > ax) {
        const int boxHeight = static_cast<int>(ax * Camera::kBaseHeight + 0.5);
        return {0, (height - boxHeight) / 2, width, boxHeight};
    }
    const int boxWidth = static_cast<int>(ay * Camera::kBaseWidth + 0.5);
    return {(width - boxWidth) / 2, 0, boxWidth, height};
}

glm::mat4 ViewMatrix(const View& view, bool applyPixelScale, int targetWidth, int targetHeight) {
    const glm::mat4 identity(1.0f);
    glm::mat4 translate, scale;
    if (targetWidth < 0 || targetHeight < 0) {
        translate = glm::translate(identity, -view.position);
        scale = glm::scale(identity, glm::vec3(2.0f / static_cast<float>(view.framebufferWidth),
                                               2.0f / static_cast<float>(view.framebufferHeight), 1.0f));
    } else {
        // On a whole pixel, so a sized target shows crisp texels.
        translate = glm::translate(
            identity, glm::vec3(std::roundf(-view.position.x), std::roundf(-view.position.y), 0.0f));
        scale = glm::scale(identity, glm::vec3(2.0f / static_cast<float>(targetWidth),
                                               2.0f / static_cast<float>(targetHeight), 1.0f));
    }
    glm::mat4 result = glm::scale(identity, glm::vec3(view.zoom, view.zoom, 1.0f)) * scale * translate;
    if (applyPixelScale) {
        const float p = static_cast<float>(PixelScale(view.framebufferWidth, view.framebufferHeight));
        result = glm::scale(identity, glm::vec3(p, p, 1.0f)) * result;
    }
    return result;
}

glm::mat4 ScreenMatrix(const View& view) {
    const glm::mat4 identity(1.0f);
    const float p = static_cast<float>(PixelScale(view.framebufferWidth, view.framebufferHeight));
    glm::mat4 result = glm::translate(identity, -view.position);
    result = glm::scale(identity, glm::vec3(view.zoom, view.zoom, 1.0f)) * result;
    result = glm::scale(identity, glm::vec3(p, p, 1.0f)) * result;
    // Screen rows grow downwards.
    result = glm::scale(identity, glm::vec3(1.0f, -1.0f, 1.0f)) * result;
    const glm::vec3 centre(static_cast<float>(view.framebufferWidth / 2),
                           static_cast<float>(view.framebufferHeight / 2), 0.0f);
    return glm::translate(identity, centre) * result;
}

}  // namespace camera_math
