#pragma once
// The renderer: the one window with its OpenGL 3.3 core context, the unit
// quads every textured draw uses, the forward shaders, the vector-drawing
// context and the texture cache. The Engine creates the one instance; its
// constructor opens the window and builds the renderer, its destructor takes
// everything down again. Every other operation is static over module state,
// usable while the instance exists (the texture cache outlives it, emptied).

#include <string>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include "core/entity/entity_handle.h"

struct GLFWwindow;
struct VDcontext;
class Shader;
class Sprite;

class Graphics {
public:
    // Window library start-up failure ends the process with status 1, its
    // reason on standard error; a window that cannot be opened (its reason on
    // standard error too), a missing OpenGL 3.3 or an unreadable shader file
    // throws debug::exception.
    Graphics();
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // Starts a frame: reads the framebuffer size, and when it has an area sets
    // the viewport to it and clears colour and depth. False when the window
    // has no drawable area (minimised); the frame is then not drawn.
    static bool BeginFrame();
    // Presents the frame.
    static void EndFrame();

    // Renders the scene: shadows, the lit picture with the tile map stretched
    // onto the window, the unclamped environmental sprites, the forward
    // sprites in draw order, then "PostDraw". dt is the scaled frame time,
    // which advances the sprites' animations. Nothing at all while minimised.
    static void Draw(float dt);
    // The forward pass's order: lower z first; at equal z (within 0.00001)
    // the higher sprite first, so it lies behind.
    static bool SpriteOrderLess(const engine::entity_handle& a, const engine::entity_handle& b);
    // Uploads the counts and the first 45 of each kind of light in view into
    // the current shader, and keeps the full counts for the editor.
    static void SetLightUniforms(Shader& shader);

    // Full screen on the monitor holding the window's top-left corner, or a
    // 1280 by 720 window centred on it. Asking for the current state does nothing.
    static void SetFullscreen(bool on);
    static bool IsFullscreen();

    static GLFWwindow* GetWindow();
    // The size read by the last BeginFrame, in pixels.
    static void GetFramebufferSize(int& width, int& height);
    // Antialiased; owned by the renderer.
    static VDcontext* GetVectorContext();
    // The vertex array of the unit quad centred on its origin.
    static unsigned GetQuadVAO();

    // How many of each were in view in the last drawn frame.
    static int GetPointLightCount();
    static int GetMoonLightCount();
    static int GetShadowCasterCount();

    // The texture of "textures/<name>.png", decoded on the first load of the
    // file and cached: "hero" and "./hero" share one texture. Never fails: a
    // missing or unusable picture gives the "debug" texture (and its size)
    // and sets *loaded to false when loaded is given; the failure is
    // remembered, so the file is not read again until ClearTextures. The
    // console says why once per name (no such file, not a plain file, not a
    // PNG, too large), or that the name is refused when it could reach
    // outside "textures/" (see TextureNameProblem). With IfMissing::Quiet a
    // picture that may well not exist (a sprite's companions) is not said
    // when there is no file; one that is there and unusable still is.
    enum class IfMissing { Say, Quiet };
    static unsigned LoadTexture(const std::string& name, unsigned& width, unsigned& height,
                                bool* loaded = nullptr, IfMissing ifMissing = IfMissing::Say);
    // What keeps a texture name from naming a picture in "textures/" or a
    // folder below it ("tiles/moss"): a NUL, a backslash, ".." or a leading
    // "/". "" for a name that is fine.
    static std::string TextureNameProblem(const std::string& name);
    // The name a texture was first loaded under (a sprite or tile map keeps
    // the name it was given itself); throws debug::exception for a texture
    // never loaded by name.
    static std::string GetTextureName(unsigned texture);
    // Deletes every cached texture and forgets the failed pictures and what
    // was said of them; later loads read their files again.
    static void ClearTextures();

    // One textured rectangle of width by height world units centred on
    // position, through the camera's pixel-scaled view, in the GL state the
    // caller set up (blending, depth, scissor).
    static void DrawTexture(unsigned texture, unsigned width, unsigned height, glm::vec3 position,
                            glm::vec4 tint);

    // The sprite's model matrix: its quad scaled to one frame and placed on
    // its owner (see sprite_sheet::ModelMatrix). The owner must be live.
    static glm::mat4 SpriteModelMatrix(const Sprite& sprite);

    // Logs "Error <code>: <description>".
    static void GlfwErrorCallback(int code, const char* description);
};
