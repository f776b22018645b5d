#include "graphics/camera.h"

#include <epoxy/gl.h>
#include <glm/matrix.hpp>
#include <glm/vec4.hpp>

#include "graphics/camera_math.h"
#include "graphics/graphics.h"

namespace {

glm::vec3 position(0.0f);
glm::vec3 scale(1.0f);
glm::vec2 letterboxSize(0.0f);

camera_math::View CurrentView() {
    camera_math::View view{position, scale.x, 0, 0};
    Graphics::GetFramebufferSize(view.framebufferWidth, view.framebufferHeight);
    return view;
}

}  // namespace

namespace Camera {

glm::vec3& GetPosition() { return position; }

void SetPosition(glm::vec3 newPosition) { position = newPosition; }

float GetZoom() { return scale.x; }

void SetScale(float zoom) { scale = glm::vec3(zoom, zoom, 1.0f); }

glm::vec3 PixelScaleFor(int width, int height) {
    const float p = static_cast<float>(camera_math::PixelScale(width, height));
    return glm::vec3(p, p, 1.0f);
}

double PixelScale() {
    const camera_math::View view = CurrentView();
    return static_cast<double>(camera_math::PixelScale(view.framebufferWidth, view.framebufferHeight)) *
           static_cast<double>(view.zoom);
}

glm::mat4 ViewMatrix(bool applyPixelScale, int width, int height) {
    return camera_math::ViewMatrix(CurrentView(), applyPixelScale, width, height);
}

glm::mat4 WindowViewMatrix() {
    glm::mat4 view = ViewMatrix(true, -1, -1);
    view[3][2] = 0.0f;
    return view;
}

glm::mat4 ScreenMatrix() { return camera_math::ScreenMatrix(CurrentView()); }

glm::vec3 ScreenToWorld(float x, float y, float z) {
    return glm::vec3(glm::inverse(ScreenMatrix()) * glm::vec4(x, y, z, 1.0f));
}

glm::vec3 WorldToScreen(float x, float y, float z) {
    return glm::vec3(ScreenMatrix() * glm::vec4(x, y, z, 1.0f));
}

void BeginLetterbox() {
    int width = 0, height = 0;
    Graphics::GetFramebufferSize(width, height);
    const camera_math::Rect box = camera_math::Letterbox(width, height);
    glEnable(GL_SCISSOR_TEST);
    glScissor(box.x, box.y, box.width, box.height);
    letterboxSize = glm::vec2(static_cast<float>(box.width), static_cast<float>(box.height));
}

void EndLetterbox() { glDisable(GL_SCISSOR_TEST); }

glm::vec2 GetLetterboxSize() { return letterboxSize; }

}  // namespace Camera
