#include "graphics/shadow_caster.h"

#include "core/json/json_values.h"
#include "core/json/json_vectors.h"
#include "graphics/debug_draw.h"
#include "graphics/light_position.h"
#include "graphics/selection_outline.h"

ShadowCaster::~ShadowCaster() {
    if (!listenerId.empty()) selection_outline::Stop(hooked, listenerId);
}

ShadowCaster& ShadowCaster::operator=(const ShadowCaster& other) {
    offset = other.offset;
    width = other.width;
    height = other.height;
    hooked = other.hooked;
    return *this;
}

void ShadowCaster::Initialize() {
    listenerId = selection_outline::ListenerId("ShadowCasterDrawCaster", owner);
    selection_outline::Listen<ShadowCaster>(owner, listenerId);
}

Json::Value ShadowCaster::Serialize() {
    Json::Value json(Json::objectValue);
    json["offset"] = Vec2ToJson(offset.x, offset.y);
    json["width"] = static_cast<double>(width);
    json["height"] = static_cast<double>(height);
    return json;
}

void ShadowCaster::Deserialize(Json::Value json) {
    if (!json.isObject()) json = Json::Value(Json::objectValue);
    offset = JsonToVec2(json["offset"]);
    width = JsonFloat(json["width"], 0.0f);
    height = JsonFloat(json["height"], 0.0f);
}

glm::vec2 ShadowCaster::GetPosition() const { return WorldPosition(owner, offset); }

void ShadowCaster::DrawSelectionOutline() {
    const glm::vec2 centre = GetPosition();
    const float z = owner.GetPosition().z;
    selection_outline::InColour(glm::vec4(1.0f, 0.0f, 1.0f, 1.0f),
                                [&] { DebugDraw::Ellipse(glm::vec3(centre, z), width / 2.0f, height / 2.0f); });
}
