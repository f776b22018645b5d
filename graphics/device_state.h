#pragma once
// The renderer's module state, shared by the files of the graphics device and
// read directly by the frame composition. Valid while the Graphics instance
// exists.

#include <memory>

#include "graphics/light_renderer.h"
#include "graphics/quads.h"
#include "graphics/shader.h"

struct GLFWwindow;
struct VDcontext;

namespace graphics_state {

extern GLFWwindow* window;
extern int framebufferWidth, framebufferHeight;
extern VDcontext* vectorContext;
extern Quad spriteQuad;   // bottom-centred: a sprite stands on its position
extern Quad centredQuad;  // composites, tiles and DrawTexture
extern std::unique_ptr<Shader> forwardShader;
extern std::unique_ptr<Shader> forwardDepthShader;
extern std::unique_ptr<LightRenderer> lightRenderer;
extern int pointLightCount, moonLightCount, shadowCasterCount;
extern bool fullscreen;

}  // namespace graphics_state
