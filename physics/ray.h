#pragma once
// Makes its entity's box (or circle) a probe: instead of colliding, it lists
// the entities its shape has overlapped, nearest first. Nothing is saved.

#include <cstdint>
#include <vector>

#include "core/components/base_component.h"
#include "physics/component_changes.h"

class Ray : public BaseComponent<Ray> {
public:
    void Initialize() override { component_changes::Note(); }
    void Remove() override { component_changes::Note(); }
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}

    // Lists hit by the distance between the shapes' centres, nearest first;
    // a hit listed before moves to its new place, and entities that no
    // longer exist leave the list.
    void AddHit(const engine::entity_handle& hit);

    float length = 10.0f;  // unused
    std::vector<engine::entity_handle> hits;
    engine::entity_handle closestHit;
    int32_t spare = 0;  // unused
};
