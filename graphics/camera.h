#pragma once
// The camera: a position and a zoom over the 498 by 280 base picture, shown at
// a whole-number pixel scale of the framebuffer (Graphics::GetFramebufferSize,
// the size read at the start of the frame). Position and zoom persist across
// level loads. Screen coordinates are framebuffer pixels, y growing downwards.

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace Camera {

constexpr int kBaseWidth = 498;
constexpr int kBaseHeight = 280;

glm::vec3& GetPosition();
void SetPosition(glm::vec3 position);
float GetZoom();
void SetScale(float zoom);

// (p, p, 1) with p = min(max(1, ceil(W / 498)), max(1, ceil(H / 280))).
glm::vec3 PixelScaleFor(int width, int height);
// The framebuffer's pixel scale times the zoom: framebuffer pixels per world unit.
double PixelScale();

// World to clip space for a target of width by height pixels; a negative
// width or height stands for the whole framebuffer. A sized target puts the
// camera on a whole pixel and ignores its z. applyPixelScale multiplies in
// the framebuffer's pixel scale.
glm::mat4 ViewMatrix(bool applyPixelScale, int width, int height);
// What is drawn straight onto the window goes through: ViewMatrix(true, -1,
// -1) without the camera's z. Depths stay the entities' own, so any camera z
// (the editor's F copies an entity's) keeps them where they were in the
// clip range and in the same order against the lit scene.
glm::mat4 WindowViewMatrix();
// World to framebuffer pixels.
glm::mat4 ScreenMatrix();
glm::vec3 ScreenToWorld(float x, float y, float z);
glm::vec3 WorldToScreen(float x, float y, float z);

// Clips drawing to the largest centred rectangle of the base aspect (the
// scissor test); the viewport is left alone.
void BeginLetterbox();
void EndLetterbox();
// The rectangle of the last BeginLetterbox; (0, 0) before the first.
glm::vec2 GetLetterboxSize();

}  // namespace Camera
