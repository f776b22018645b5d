#pragma once
// The camera's arithmetic as plain functions of the camera and the
// framebuffer size, so it can be checked without a window.

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace camera_math {

// Whole framebuffer pixels per base pixel, at least 1.
int PixelScale(int width, int height);

struct Rect {
    int x, y, width, height;
};
// The largest rectangle of the base aspect centred in the framebuffer.
Rect Letterbox(int width, int height);

struct View {
    glm::vec3 position;
    float zoom;
    int framebufferWidth, framebufferHeight;
};
// See Camera::ViewMatrix; targetWidth or targetHeight below 0 means the framebuffer.
glm::mat4 ViewMatrix(const View& view, bool applyPixelScale, int targetWidth, int targetHeight);
// See Camera::ScreenMatrix.
glm::mat4 ScreenMatrix(const View& view);

}  // namespace camera_math
