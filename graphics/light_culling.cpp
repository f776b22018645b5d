#include "graphics/light_culling.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

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

// The tests of one frame, fed one component at a time: sprites, moon lights
// and point lights in entity order, then casters in entity order, then
// Finish. Either walk below feeds them the same components in the same order.
class Culling {
public:
    Culling(const View& view, float moonFadeDistance, Lists& lists)
        : c(view.camera),
          halfWidth(Abs(view.corner.x - c.x)),
          halfHeight(view.corner.y - c.y),
          r2((view.corner.x - c.x) * (view.corner.x - c.x) + (view.corner.y - c.y) * (view.corner.y - c.y)),
          moonFadeDistance(moonFadeDistance),
          lists(lists) {
        lists.forwardSprites.clear();
        lists.litSprites.clear();
        lists.looseSprites.clear();
        lists.moonLights.clear();
        lists.pointLights.clear();
        lists.shadowCasters.clear();
    }

    void TestSprite(const engine::entity_handle& entity, glm::vec3 position, const Sprite& sprite) {
        const float d2 =
            SpriteDistance2(Rel(position), static_cast<float>(sprite.width), static_cast<float>(sprite.height));
        if (!(d2 < r2)) return;
        if (!sprite.environmental)
            lists.forwardSprites.push_back(entity);
        else if (sprite.clamped)
            lists.litSprites.push_back(entity);
        else
            lists.looseSprites.push_back(entity);
    }

    void TestMoonLight(glm::vec3 position, MoonLight* moon) {
        const float reach = moon->inner_radius + moonFadeDistance;
        if (LightDistance2(Rel(position), moon->offset, reach, halfWidth, halfHeight) < r2)
            lists.moonLights.push_back(moon);
    }

    void TestPointLight(glm::vec3 position, PointLight* light) {
        const float reach = light->max_radius;
        maxShadowR2 = std::max(maxShadowR2, 2.0f * reach * reach);
        if (LightDistance2(Rel(position), light->offset, reach, halfWidth, halfHeight) < r2) {
            lists.pointLights.push_back(light);
            lightPositions.emplace_back(position.x + light->offset.x, position.y + light->offset.y);
        }
    }

    void TestCaster(glm::vec3 position, ShadowCaster* caster) {
        const glm::vec2 p(position.x + caster->offset.x, position.y + caster->offset.y);
        const float dx = Positive(Abs(p.x - c.x) - caster->width);
        const float dy = Positive(Abs(p.y - c.y) - caster->height);
        const float d2 = dx * dx + dy * dy;
        if (d2 < r2)
            lists.shadowCasters.push_back(caster);
        else if (d2 < maxShadowR2)
            nearCasters.push_back({caster, p});
    }

    // A caster outside the view throws its shadow into it only from a light
    // it lies beyond, seen from the camera.
    void Finish() {
        for (const auto& [caster, p] : nearCasters)
            for (const glm::vec2 l : lightPositions)
                if ((p.x - l.x) * (c.x - l.x) + (p.y - l.y) * (c.y - l.y) > 0.0f) {
                    lists.shadowCasters.push_back(caster);
                    break;
                }
    }

private:
    glm::vec2 Rel(glm::vec3 position) const { return {position.x - c.x, position.y - c.y}; }

    const glm::vec3 c;
    const float halfWidth;
    const float halfHeight;  // signed: positive when the screen's top lies above the camera
    const float r2;           // of the view's circumscribed circle
    const float moonFadeDistance;
    Lists& lists;
    float maxShadowR2 = 0.0f;
    std::vector<glm::vec2> lightPositions;  // of lists.pointLights
    std::vector<std::pair<ShadowCaster*, glm::vec2>> nearCasters;
};

// The fields the tests read, asked for ahead of them.
void FetchAhead(const Sprite* sprite) {
    __builtin_prefetch(&sprite->width);
    __builtin_prefetch(&sprite->environmental);
}
void FetchAhead(const MoonLight* moon) {
    __builtin_prefetch(&moon->offset);
    __builtin_prefetch(&moon->inner_radius);
}
void FetchAhead(const PointLight* light) {
    __builtin_prefetch(&light->offset);
    __builtin_prefetch(&light->max_radius);
}
void FetchAhead(const ShadowCaster* caster) {
    __builtin_prefetch(&caster->offset);
    __builtin_prefetch(&caster->height);
}

// The components of one built-in type with their entities' positions, in
// entity order.
template <typename T, typename Visit>
void ForEachHeld(Visit visit) {
    const std::span<const engine::entity_base> records = engine::GetRecords();
    const std::vector<engine::held_component>& all = engine::GetComponentsOfType(BaseComponent<T>::ID);
    // Components lie wherever they were allocated: ask for the ones a few
    // steps ahead while the tests run on this one.
    constexpr size_t kAhead = 8;
    for (size_t i = 0; i < all.size(); ++i) {
        if (i + kAhead < all.size()) FetchAhead(static_cast<const T*>(all[i + kAhead].component));
        const engine::held_component& held = all[i];
        visit(held.owner, records[held.owner.GetIndex()].position, static_cast<T*>(held.component));
    }
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
    Culling culling(view, moonFadeDistance, lists);
    for (const engine::entity_handle& entity : entities) {
        engine::entity_base& base = entity.GetBaseEntity();
        if (const Sprite* sprite = Held<Sprite>(base)) culling.TestSprite(entity, base.position, *sprite);
        if (MoonLight* moon = Held<MoonLight>(base)) culling.TestMoonLight(base.position, moon);
        if (PointLight* light = Held<PointLight>(base)) culling.TestPointLight(base.position, light);
    }
    for (const engine::entity_handle& entity : entities) {
        engine::entity_base& base = entity.GetBaseEntity();
        if (ShadowCaster* caster = Held<ShadowCaster>(base)) culling.TestCaster(base.position, caster);
    }
    culling.Finish();
}

// Flattened: with the tests inlined into the loops, enough iterations are in
// flight at once to hide the loads of scattered components.
[[gnu::flatten]] void CullLevel(const View& view, float moonFadeDistance, Lists& lists) {
    Culling culling(view, moonFadeDistance, lists);
    ForEachHeld<Sprite>([&](const engine::entity_handle& entity, glm::vec3 position, Sprite* sprite) {
        culling.TestSprite(entity, position, *sprite);
    });
    ForEachHeld<MoonLight>([&](auto&, glm::vec3 position, MoonLight* moon) { culling.TestMoonLight(position, moon); });
    ForEachHeld<PointLight>([&](auto&, glm::vec3 position, PointLight* light) {
        culling.TestPointLight(position, light);
    });
    ForEachHeld<ShadowCaster>([&](auto&, glm::vec3 position, ShadowCaster* caster) {
        culling.TestCaster(position, caster);
    });
    culling.Finish();
}

void CullCurrentView(Lists& lists) {
    CullLevel({Camera::GetPosition(), Camera::ScreenToWorld(0.0f, 0.0f, 0.0f)}, moonlight_fade_dist, lists);
    graphics_state::shadowCasterCount = static_cast<int>(lists.shadowCasters.size());
}

}  // namespace light_culling
