#include "graphics/light_culling.h"

#include <algorithm>
#include <cmath>

#include "core/entity/entity_table.h"
#include "core/lighting/level_lighting.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"

namespace light_culling {

namespace {

template <typename T>
T* Held(engine::entity_base& entity) {
    const auto found = entity.components.find(BaseComponent<T>::ID);
    return found == entity.components.end() ? nullptr : static_cast<T*>(found->second.get());
}

float Abs(float value) { return static_cast<float>(std::fabs(static_cast<double>(value))); }

float Positive(float value) { return std::max(0.0f, value); }

void AddSprite(const engine::entity_handle& entity, const Sprite& sprite, Lists& lists) {
    if (!sprite.environmental)
        lists.forwardSprites.push_back(entity);
    else if (sprite.clamped)
        lists.litSprites.push_back(entity);
    else
        lists.looseSprites.push_back(entity);
}

// A caster outside the view throws its shadow into it only from a light it
// lies beyond, seen from the camera.
bool OnTheCamerasSide(glm::vec2 caster, const std::vector<PointLight*>& lights, glm::vec3 camera) {
    for (const PointLight* light : lights) {
        const glm::vec2 l = light->GetPosition();
        if ((caster.x - l.x) * (camera.x - l.x) + (caster.y - l.y) * (camera.y - l.y) > 0.0f) return true;
    }
    return false;
}

}  // namespace

float SpriteDistance2(glm::vec2 rel, float width, float height) {
    const float dx = Positive(Abs(rel.x) - width / 2.0f);
    const float dy = Positive(Abs(rel.y) - height);  // it stands on rel and reaches upwards
    return dx * dx + dy * dy;
}

float LightDistance2(glm::vec2 rel, glm::vec2 offset, float reach, float halfWidth, float halfHeight) {
    const float dx = Positive(Abs(offset.x + rel.x) - reach);
    float dy = Abs(offset.y + rel.y) - reach;
    if (halfHeight > rel.y && halfWidth > dx) dy -= kBandBelow;
    dy = Positive(dy);
    return dx * dx + dy * dy;
}

void Cull(const View& view, const std::vector<engine::entity_handle>& entities, float moonFadeDistance,
          Lists& lists) {
    const glm::vec3 c = view.camera;
    const float halfWidth = Abs(view.corner.x - c.x);
    const float halfHeight = view.corner.y - c.y;
    const float r2 = (view.corner.x - c.x) * (view.corner.x - c.x) + (view.corner.y - c.y) * (view.corner.y - c.y);
    lists.forwardSprites.clear();
    lists.litSprites.clear();
    lists.looseSprites.clear();
    lists.moonLights.clear();
    lists.pointLights.clear();
    lists.shadowCasters.clear();
    float maxShadowR2 = 0.0f;

    for (const engine::entity_handle& entity : entities) {
        engine::entity_base& base = entity.GetBaseEntity();
        const glm::vec2 rel(base.position.x - c.x, base.position.y - c.y);
        if (const Sprite* sprite = Held<Sprite>(base)) {
            const float d2 =
                SpriteDistance2(rel, static_cast<float>(sprite->width), static_cast<float>(sprite->height));
            if (d2 < r2) AddSprite(entity, *sprite, lists);
        }
        if (MoonLight* moon = Held<MoonLight>(base)) {
            const float reach = moon->inner_radius + moonFadeDistance;
            if (LightDistance2(rel, moon->offset, reach, halfWidth, halfHeight) < r2) lists.moonLights.push_back(moon);
        }
        if (PointLight* light = Held<PointLight>(base)) {
            const float reach = light->max_radius;
            maxShadowR2 = std::max(maxShadowR2, 2.0f * reach * reach);
            if (LightDistance2(rel, light->offset, reach, halfWidth, halfHeight) < r2)
                lists.pointLights.push_back(light);
        }
    }

    std::vector<ShadowCaster*> nearCasters;
    for (const engine::entity_handle& entity : entities) {
        engine::entity_base& base = entity.GetBaseEntity();
        ShadowCaster* caster = Held<ShadowCaster>(base);
        if (caster == nullptr) continue;
        const glm::vec2 p(base.position.x + caster->offset.x, base.position.y + caster->offset.y);
        const float dx = Positive(Abs(p.x - c.x) - caster->width);
        const float dy = Positive(Abs(p.y - c.y) - caster->height);
        const float d2 = dx * dx + dy * dy;
        if (d2 < r2)
            lists.shadowCasters.push_back(caster);
        else if (d2 < maxShadowR2)
            nearCasters.push_back(caster);
    }
    for (ShadowCaster* caster : nearCasters)
        if (OnTheCamerasSide(caster->GetPosition(), lists.pointLights, c)) lists.shadowCasters.push_back(caster);
}

void CullCurrentView(Lists& lists) {
    Cull({Camera::GetPosition(), Camera::ScreenToWorld(0.0f, 0.0f, 0.0f)}, engine::GetAllEntities(),
         moonlight_fade_dist, lists);
    graphics_state::shadowCasterCount = static_cast<int>(lists.shadowCasters.size());
}

}  // namespace light_culling
