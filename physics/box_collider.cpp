#include "physics/box_collider.h"

#include <cmath>
#include <cstring>

#include "core/entity/find_component.h"
#include "core/json/json_values.h"
#include "graphics/debug_draw.h"
#include "physics/ray.h"
#include "physics/vec2_math.h"

namespace {

// Which halves of the width and height vectors make corner i.
constexpr float kCornerSigns[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};

// (y, -x): for a box, the edge after a width edge turned back onto it.
glm::vec2 Perpendicular(glm::vec2 v) { return {v.y, -v.x}; }

// Bit for bit: a centre or size that is not a number never equals itself,
// yet builds the same corners every time.
bool SameBits(glm::vec2 a, glm::vec2 b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

glm::vec2 BoxCollider::GetCenter() const {
    if (!owner.IsValid()) return centerOffset;
    const glm::vec3& position = owner.GetPosition();
    return glm::vec2(position.x, position.y) + centerOffset;
}

glm::vec2 BoxCollider::CornerAt(int i, glm::vec2 center) const {
    return center + kCornerSigns[i][0] * widthVector / 2.0f + kCornerSigns[i][1] * heightVector / 2.0f;
}

void BoxCollider::RefreshStatic() {
    const glm::vec2 center = GetCenter();
    if (built && SameBits(center, builtCenter) && SameBits(widthVector, builtWidth) && SameBits(heightVector, builtHeight))
        return;
    for (int i = 0; i < 4; ++i) corners[i] = CornerAt(i, center);
    cornerCount = 4;
    builtCenter = center;
    builtWidth = widthVector;
    builtHeight = heightVector;
    built = true;
    UpdateCorners();  // reads the corners just made: built stays set
}

glm::vec2 BoxCollider::GetCorner(int i) {
    if (i < 0 || i >= kMaxPoints) return {0.0f, 0.0f};
    if (isStatic) {
        RefreshStatic();
    } else if (i < 4) {
        corners[i] = CornerAt(i, GetCenter());
        built = false;
    }
    return corners[i];
}

void BoxCollider::GetCorners(glm::vec2 out[4]) {
    if (isStatic) {
        RefreshStatic();
    } else {
        const glm::vec2 center = GetCenter();
        for (int i = 0; i < 4; ++i) corners[i] = CornerAt(i, center);
        built = false;
    }
    for (int i = 0; i < 4; ++i) out[i] = corners[i];
}

glm::vec2 BoxCollider::GetAxis(int i) {
    if (isStatic)
        RefreshStatic();
    else
        UpdateCorners();
    if (i < 0 || i >= kMaxPoints) return {0.0f, 0.0f};
    return axes[i];
}

void BoxCollider::ComputeCorners() {
    const glm::vec2 center = GetCenter();
    for (int i = 0; i < 4; ++i) corners[i] = CornerAt(i, center);
    cornerCount = 4;
    built = false;
}

// The unit direction of edge i. An edge of no length (a box of width or
// height 0) takes the direction it would have had, square to the next edge;
// a box of no size at all takes the world axes.
glm::vec2 BoxCollider::EdgeAxis(int i) {
    const glm::vec2 edge = GetCorner(i) - GetCorner((i + 1) % 4);
    const glm::vec2 next = GetCorner((i + 1) % 4) - GetCorner((i + 2) % 4);
    const glm::vec2 world = i % 2 == 0 ? glm::vec2(1.0f, 0.0f) : glm::vec2(0.0f, 1.0f);
    return Vec2NormalOr(edge, Vec2NormalOr(Perpendicular(next), world));
}

void BoxCollider::UpdateCorners() {
    if (cornerCount < 1) return;
    axisCount = 0;
    const int count = cornerCount < 4 ? cornerCount : 4;
    for (int i = 0; i < count; ++i) {
        const glm::vec2 u = EdgeAxis(i);
        if (!HasAxis(u) && axisCount < kMaxPoints) axes[axisCount++] = u;
    }
}

// Parallel either way round, each component within 2e-5. (Comparing one
// component against the other's negation would take the two edges of a box
// turned by 45 degrees for one axis.)
bool BoxCollider::HasAxis(glm::vec2 u) const {
    for (int i = 0; i < axisCount && i < kMaxPoints; ++i)
        if (Vec2NearlyEqual(axes[i], u) || Vec2NearlyEqual(axes[i], -u)) return true;
    return false;
}

bool BoxCollider::OnRayEntity() const { return engine::FindComponent<Ray>(owner) != nullptr; }

void BoxCollider::SetWidth(glm::vec2 v) {
    widthVector = v;
    width = Vec2Length(v);
    if (OnRayEntity()) widthVector = RotationMatrix(angle) * widthVector;
}

void BoxCollider::SetHeight(glm::vec2 v) {
    heightVector = v;
    height = Vec2Length(v);
    if (OnRayEntity()) heightVector = RotationMatrix(angle) * heightVector;
}

Json::Value BoxCollider::Serialize() {
    Json::Value json(Json::objectValue);
    json["Box Angle"] = static_cast<double>(angle);
    json["Box Width"] = static_cast<double>(width);
    json["Box Height"] = static_cast<double>(height);
    json["Box Center OffsetX"] = static_cast<double>(centerOffset.x);
    json["Box Center OffsetY"] = static_cast<double>(centerOffset.y);
    json["Box ghost"] = ghost;
    json["Box Static"] = isStatic;
    return json;
}

void BoxCollider::Deserialize(Json::Value json) {
    if (!json.isObject()) json = Json::Value(Json::objectValue);  // reads as all keys missing
    centerOffset.x = JsonFloat(json["Box Center OffsetX"], 0.0f);
    centerOffset.y = JsonFloat(json["Box Center OffsetY"], 0.0f);
    const float readWidth = JsonFloat(json["Box Width"], 0.0f);
    const float readHeight = JsonFloat(json["Box Height"], 0.0f);
    ghost = JsonBool(json["Box ghost"], false);
    isStatic = JsonBool(json["Box Static"], false);
    angle = JsonFloat(json["Box Angle"], 0.0f);
    const bool rotate = OnRayEntity();
    widthVector = {readWidth, 0.0f};
    width = std::fabs(readWidth);
    if (rotate) widthVector = RotationMatrix(angle) * widthVector;
    heightVector = {0.0f, readHeight};
    height = std::fabs(readHeight);
    if (rotate) heightVector = RotationMatrix(angle) * heightVector;
    ComputeCorners();
    UpdateCorners();
}

void BoxCollider::DrawDebug() {
    ComputeCorners();
    DebugDraw::SetColor(1.0f, 0.1f, 0.1f, 1.0f);
    DebugDraw::QuadXY(corners[0].x, corners[0].y, corners[1].x, corners[1].y, corners[2].x, corners[2].y,
                      corners[3].x, corners[3].y);
    const glm::vec2 center = GetCenter();
    DebugDraw::SetColor(0.1f, 1.0f, 0.1f, 1.0f);
    DebugDraw::LineXY(center.x, center.y, center.x + heightVector.x, center.y + heightVector.y);
    DebugDraw::SetColor(0.1f, 0.1f, 1.0f, 1.0f);
    DebugDraw::LineXY(center.x, center.y, center.x + widthVector.x, center.y + widthVector.y);
}
