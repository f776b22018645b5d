#pragma once
// A box that follows its entity: centre = entity position + centre offset.
// The width and height vectors span the box (rotated only on an entity that
// also carries a Ray). Corners and edge axes are cached: reading a corner or
// an axis refreshes them. A static box computes them again only when its
// centre or its width or height vector differs, bit for bit, from what they
// were built from, so being static saves work but never changes where the
// box is (one that is not a number included).

#include <cstdint>

#include <glm/vec2.hpp>

#include "core/components/base_component.h"
#include "physics/component_changes.h"
#include "physics/shape.h"

class BoxCollider : public BaseComponent<BoxCollider> {
public:
    static constexpr int kMaxPoints = 8;

    void Initialize() override { component_changes::Note(); }
    void Remove() override { component_changes::Note(); }
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    glm::vec2 GetCenter() const;
    float GetWidth() const { return width; }
    float GetHeight() const { return height; }
    // Corner i (0 to 3), from the entity's position now.
    glm::vec2 GetCorner(int i);
    // The four corners, as GetCorner gives them.
    void GetCorners(glm::vec2 out[4]);
    // Axis i (below the axis count), of the box as it is now.
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
    // Ray. The corners and axes follow at the next read.
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
    // What the cached corners and axes of a static box were built from;
    // anything else writing them clears built.
    glm::vec2 builtCenter{0.0f, 0.0f};
    glm::vec2 builtWidth{0.0f, 0.0f};
    glm::vec2 builtHeight{0.0f, 0.0f};
    bool built = false;

    // For a static box: computes the corners and axes again when what they
    // were built from has changed since.
    void RefreshStatic();
    glm::vec2 CornerAt(int i, glm::vec2 center) const;
    glm::vec2 EdgeAxis(int i);
    bool OnRayEntity() const;
};
