#pragma once
// A body the physics step moves: velocity in world units per second, changed
// by the collision response. Every body has the same mass (kMass). There is
// no gravity and no friction; the fields marked unused are kept with the
// component (and copied) but nothing reads them.

#include <glm/vec2.hpp>

#include "core/components/base_component.h"
#include "physics/component_changes.h"

class RigidBody : public BaseComponent<RigidBody> {
public:
    static constexpr float kMass = 10.0f;

    void Initialize() override { component_changes::Note(); }
    void Remove() override { component_changes::Note(); }
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    float gravity = 9.8f;                                 // unused
    float coefficients[4] = {1.0f, 1.0f, 1.0f, 1.0f};     // unused
    glm::vec2 acceleration{0.0f, 0.0f};  // added to the velocity each step
    glm::vec2 velocity{0.0f, 0.0f};
    float restitution = 1.0f;            // bounciness; a pair uses the smaller
};
