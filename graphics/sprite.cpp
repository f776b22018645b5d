#include "graphics/sprite.h"

#include <algorithm>

#include <epoxy/gl.h>

#include "core/json/json_values.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"
#include "graphics/graphics.h"
#include "graphics/selection_outline.h"
#include "graphics/sprite_sheet.h"

namespace {

constexpr const char* kListenerBase = "SpriteDrawOffset";

}  // namespace

Sprite::Sprite() {
    // Each load writes the size; the last one's stays.
    texture = Graphics::LoadTexture("debug", width, height);
    light_texture = Graphics::LoadTexture("debug_nm", width, height);
    sampler_texture = Graphics::LoadTexture("debug_sm", width, height);
    quad = MakeQuad(kSpriteQuadVertices);
    RebuildQuad();
}

Sprite::~Sprite() { DeleteQuad(quad); }

Sprite& Sprite::operator=(const Sprite& other) {
    texture = other.texture;
    light_texture = other.light_texture;
    sampler_texture = other.sampler_texture;
    texture_name = other.texture_name;
    width = other.width;
    height = other.height;
    environmental = other.environmental;
    clamped = other.clamped;
    looping = other.looping;
    frame_time = other.frame_time;
    elapsed = other.elapsed;
    frames = other.frames;
    frame = other.frame;
    rows = other.rows;
    columns = other.columns;
    RebuildQuad();
    return *this;
}

void Sprite::Initialize() {
    selection_outline::Listen<Sprite>(owner, selection_outline::ListenerId(kListenerBase, owner));
}

void Sprite::Remove() { selection_outline::Stop(hooked, selection_outline::ListenerId(kListenerBase, owner)); }

void Sprite::SetTexture(const std::string& name) {
    texture_name = name;
    texture = Graphics::LoadTexture(name, width, height);
    // A refused name is said once, not again for each companion. Most
    // pictures have no companions, so only one that is there but cannot be
    // used is said.
    if (Graphics::TextureNameProblem(name).empty()) {
        unsigned ignoredWidth = 0, ignoredHeight = 0;
        bool loaded = false;
        constexpr auto kOptional = Graphics::IfMissing::Quiet;
        const unsigned light = Graphics::LoadTexture(name + "_nm", ignoredWidth, ignoredHeight, &loaded, kOptional);
        if (loaded) light_texture = light;
        const unsigned sampler = Graphics::LoadTexture(name + "_sm", ignoredWidth, ignoredHeight, &loaded, kOptional);
        if (loaded) sampler_texture = sampler;
    }
    RebuildQuad();
}

void Sprite::RebuildQuad() {
    quadArea = sprite_sheet::AreaOfFrame(frame, rows, columns, width, height);
    UploadQuadVertices(quad, sprite_sheet::QuadOfArea(quadArea));
    glBindVertexArray(0);
}

void Sprite::StepAnimation(float dt) {
    if (sprite_sheet::Advance({looping, frame_time, frames}, frame, elapsed, dt)) RebuildQuad();
}

void Sprite::DrawSelectionOutline() {
    const glm::vec3 at = owner.GetPosition();
    const float half = static_cast<float>(width) / 2.0f;
    selection_outline::InColour(glm::vec4(1.0f), [&] {
        DebugDraw::Line(glm::vec3(at.x - half, at.y + y_offset, at.z), glm::vec3(at.x + half, at.y + y_offset, at.z));
    });
}

Json::Value Sprite::Serialize() {
    Json::Value json(Json::objectValue);
    json["texture"] = texture_name;
    json["environmental"] = environmental;
    json["clamped"] = clamped;
    json["y_offset"] = static_cast<double>(y_offset);
    json["looping"] = looping;
    Json::Value colour(Json::objectValue);
    colour["x"] = static_cast<double>(tint.x);
    colour["y"] = static_cast<double>(tint.y);
    colour["z"] = static_cast<double>(tint.z);
    colour["w"] = static_cast<double>(tint.w);
    json["tint"] = colour;
    json["frame_time"] = static_cast<double>(frame_time);
    json["frames"] = frames;
    json["rows"] = rows;
    json["columns"] = columns;
    return json;
}

void Sprite::Deserialize(Json::Value json) {
    if (!json.isObject()) json = Json::Value(Json::objectValue);
    SetTexture(JsonString(json["texture"], ""));
    environmental = JsonBool(json["environmental"], environmental);
    clamped = JsonBool(json["clamped"], clamped);
    y_offset = JsonFloat(json["y_offset"], y_offset);
    looping = JsonBool(json["looping"], looping);
    const Json::Value& colour = json["tint"];
    if (colour.isObject())
        tint = glm::vec4(JsonFloat(colour["x"], 0.0f), JsonFloat(colour["y"], 0.0f), JsonFloat(colour["z"], 0.0f),
                         JsonFloat(colour["w"], 0.0f));
    frame_time = JsonFloat(json["frame_time"], 0.0f);
    frames = JsonUInt(json["frames"], 0);
    rows = std::max<uint32_t>(JsonUInt(json["rows"], 0), 1);
    columns = std::max<uint32_t>(JsonUInt(json["columns"], 0), 1);
    RebuildQuad();
}

glm::mat4 Graphics::SpriteModelMatrix(const Sprite& sprite) {
    return sprite_sheet::ModelMatrix({sprite.owner.GetPosition(), sprite.owner.GetSnappedPosition(), sprite.clamped,
                                      sprite.width, sprite.height, sprite.rows, sprite.columns, sprite.y_offset,
                                      Camera::GetPosition().y});
}
