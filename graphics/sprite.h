#pragma once
// A picture standing on its entity's position: a texture with its two
// lighting companions, optionally an animated sheet of rows by columns
// frames, tinted. Environmental sprites are drawn through the lighting,
// others in the forward pass; clamped ones stand on whole pixels.
//
// Needs the renderer's GL context: the constructor loads the "debug"
// pictures and makes the sprite's own quad.

#include <cstdint>
#include <string>

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include "core/components/base_component.h"
#include "graphics/quads.h"
#include "graphics/sprite_sheet.h"

class Sprite final : public BaseComponent<Sprite> {
public:
    Sprite();
    ~Sprite() override;
    Sprite(const Sprite&) = delete;
    // Takes the picture, its size and the animation (state included), then
    // rebuilds the quad; tint, y_offset, hooked, the owner and the GL objects
    // stay this sprite's own.
    Sprite& operator=(const Sprite& other);

    // Connects "SpriteDrawOffset" + entity id on "EditorSelectedEntity".
    void Initialize() override;
    void Remove() override;
    Json::Value Serialize() override;
    // A value of the wrong kind reads as a missing one; rows and columns of
    // 0 become 1. The quad is rebuilt for the loaded frame layout.
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    // Loads "textures/<name>.png" (the "debug" picture when missing) and the
    // "<name>_nm" and "<name>_sm" companions where they exist (otherwise the
    // companions stay as they were); rebuilds the quad.
    void SetTexture(const std::string& name);
    // Uploads the quad of the current frame.
    void RebuildQuad();
    void StepAnimation(float dt);

    // The white line across the sheet's width at the depth-sorting height,
    // drawn while the owner is selected in the editor.
    void DrawSelectionOutline();

    unsigned texture = 0;
    unsigned light_texture = 0;
    unsigned sampler_texture = 0;
    glm::vec4 tint{1.0f, 1.0f, 1.0f, 1.0f};
    uint32_t width = 0;   // of the whole sheet, pixels
    uint32_t height = 0;
    bool hooked = false;  // the draw-offset line is connected
    bool clamped = true;
    bool environmental = true;
    float y_offset = 0.0f;  // added to y when sorting by depth
    bool looping = true;
    float frame_time = 1.0f;  // seconds
    float elapsed = 0.0f;
    uint32_t frames = 1;
    uint32_t frame = 1;  // from 1
    uint32_t rows = 1;
    uint32_t columns = 1;
    Quad quad;
    // The part of the sheet the quad shows, as of its last rebuild.
    sprite_sheet::FrameArea quadArea{0.0f, 1.0f, 1.0f, 0.0f};
    // The name the level asked for, kept (and saved) even when its picture
    // is missing and the "debug" one stands in.
    std::string texture_name = "debug";
};
