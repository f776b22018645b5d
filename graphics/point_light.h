#pragma once
// A coloured light reaching max_radius around its position; it also casts
// the shadows of shadow casters. While its entity is selected in the editor
// its reach is outlined (on the entity, without the offset).

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "core/components/base_component.h"

class PointLight final : public BaseComponent<PointLight> {
public:
    // Connects "PointLightDrawOultine" + entity id on "EditorSelectedEntity".
    void Initialize() override;
    void Remove() override;
    // "offset", "max_radius", "color", "ambient_intensity",
    // "diffuse_intensity", "attenuation"; a missing or unreadable key reads
    // as 0 (a vector as all zeros).
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    // The entity's position plus the offset; the owner must be live.
    glm::vec2 GetPosition() const;
    float GetMaxRadius() const { return max_radius; }

    // A green-yellow circle of max_radius around the entity.
    void DrawSelectionOutline();

    glm::vec2 offset{0.0f, 0.0f};
    glm::vec3 color{1.0f, 1.0f, 1.0f};
    float ambient_intensity = 0.1f;
    float diffuse_intensity = 1.0f;
    float max_radius = 0.0f;
    glm::vec3 attenuation{0.2f, 0.0f, 1.0f};
    bool hooked = false;  // the outline is connected; a copy takes it over
};
