#pragma once
// A box that follows its entity: centre = entity position + centre offset.
// The width and height vectors span the box (rotated only on an entity that
// also carries a Ray). Corners and edge axes are cached: reading a corner or
// an axis refreshes them unless the box is static, and a static box keeps
// what was last computed (its loading, or its debug outline).

#include <cstdint>

#include <glm/vec2.hpp>

#include "core/components/base_component.h"
#include "physics/shape.h"

class BoxCollider : public BaseComponent<BoxCollider> {
public:
    static constexpr int kMaxPoints = 8;

    void Initialize() override {}
    void Remove() override {}
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    glm::vec2 GetCenter() const;
    float GetWidth() const { return width; }
    float GetHeight() const { return height; }
    // Corner i (0 to 3); refreshed from the entity's position unless static.
    glm::vec2 GetCorner(int i);
    // The four corners, as GetCorner gives them.
    void GetCorners(glm::vec2 out[4]);
    // Axis i (below the axis count); refreshes the axes unless static.
    glm::vec2 GetAxis(int i);
    int32_t GetAxisCount() const { return axisCount; }
    int32_t GetCornerCount() const { return cornerCount; }
    void ComputeCorners();
    void UpdateCorners();
    // Whether an axis parallel to u (either way round) is stored already.
    bool HasAxis(glm::vec2 u) const;

    bool IsGhost() const { return ghost; }
    bool IsStatic() const { return isStatic; }
    void SetGhost(bool on) { ghost = on; }
    void SetStatic(bool on) { isStatic = on; }
    void SetCenter(glm::vec2 offset) { centerOffset = offset; }
    // The vector and its length; rotated by the angle when the entity has a
    // Ray. The cached corners and axes are left as they are.
    void SetWidth(glm::vec2 v);
    void SetHeight(glm::vec2 v);

    void DrawDebug();

    Shape shape{Shape::kBox};
    glm::vec2 corners[kMaxPoints] = {};
    glm::vec2 axes[kMaxPoints] = {};
    glm::vec2 centerOffset{0.0f, 0.0f};
    glm::vec2 widthVector{1.0f, 0.0f};
    glm::vec2 heightVector{0.0f, 1.0f};
    float width = 1.0f;
    float height = 1.0f;
    int32_t axisCount = 2;
    int32_t cornerCount = 4;
    float angle = -90.0f;  // degrees
    bool ghost = false;    // tested and reported, never pushed
    bool isStatic = false;

private:
    glm::vec2 CornerAt(int i, glm::vec2 center) const;
    glm::vec2 EdgeAxis(int i);
    bool OnRayEntity() const;
};
