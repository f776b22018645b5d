#pragma once
// A circle that follows its entity: centre = entity position + centre offset.

#include <glm/vec2.hpp>

#include "core/components/base_component.h"
#include "physics/component_changes.h"
#include "physics/shape.h"

class CircleCollider : public BaseComponent<CircleCollider> {
public:
    void Initialize() override { component_changes::Note(); }
    void Remove() override { component_changes::Note(); }
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    glm::vec2 GetCenter() const;
    float GetRadius() const { return radius; }
    void SetRadius(float r) { radius = r; }
    bool IsGhost() const { return ghost; }
    bool IsStatic() const { return isStatic; }
    void SetGhost(bool on) { ghost = on; }
    void SetStatic(bool on) { isStatic = on; }
    void SetCenter(glm::vec2 offset) { centerOffset = offset; }

    void DrawDebug();

    Shape shape{Shape::kCircle};
    bool ghost = false;  // tested and reported, never pushed
    bool isStatic = false;
    float radius = 10.0f;
    glm::vec2 centerOffset{0.0f, 0.0f};
};
