#pragma once
// An elliptical obstacle that blocks point lights: centred on its position,
// width by height. While its entity is selected in the editor it is outlined.

#include <string>

#include <glm/vec2.hpp>

#include "core/components/base_component.h"

class ShadowCaster final : public BaseComponent<ShadowCaster> {
public:
    ShadowCaster() = default;
    // Disconnects its listeners, if it connected them.
    ~ShadowCaster() override;
    ShadowCaster(const ShadowCaster&) = delete;
    // Takes offset, width, height and hooked; its listeners stay its own.
    ShadowCaster& operator=(const ShadowCaster& other);

    // Connects "ShadowCasterDrawCaster" + entity id on "EditorSelectedEntity".
    void Initialize() override;
    void Remove() override {}
    // "offset", "width", "height"; a missing or unreadable key reads as 0.
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    // The entity's position plus the offset; the owner must be live.
    glm::vec2 GetPosition() const;

    // A magenta ellipse of the caster's size.
    void DrawSelectionOutline();

    glm::vec2 offset{0.0f, 0.0f};
    float width = 1.0f;
    float height = 1.0f;
    bool hooked = false;  // the outline is connected; a copy takes it over

private:
    std::string listenerId;  // empty until Initialize connects
};
