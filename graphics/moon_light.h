#pragma once
// A soft pool of light around its position. Its colour and fade are the
// level's (moonlight_color, moonlight_fade_dist), shared by all moon lights.

#include <glm/vec2.hpp>

#include "core/components/base_component.h"

class MoonLight final : public BaseComponent<MoonLight> {
public:
    void Initialize() override {}
    void Remove() override {}
    // "offset", "intensity", "inner_radius"; a missing or unreadable key
    // reads as 0.
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    // The entity's position plus the offset; the owner must be live.
    glm::vec2 GetPosition() const;

    glm::vec2 offset{0.0f, 0.0f};
    float intensity = 1.0f;
    float inner_radius = 1.0f;
};
