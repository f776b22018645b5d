// The level's culling through the entity table's per-type lists against a
// plain walk over every entity that searches each one's components, over
// random levels that change between frames and within them.

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/entity/entity_table.h"
#include "graphics/light_culling.h"
#include "tests/graphics/graphics_fixture.h"

namespace {

using light_culling::Lists;
using light_culling::View;

// The walk the per-type lists replace: every entity in creation order, its
// components searched by type id.
namespace walk {

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

bool OnTheCamerasSide(glm::vec2 caster, const std::vector<PointLight*>& lights, glm::vec3 camera) {
    for (const PointLight* light : lights) {
        const glm::vec2 l = light->GetPosition();
        if ((caster.x - l.x) * (camera.x - l.x) + (caster.y - l.y) * (camera.y - l.y) > 0.0f) return true;
    }
    return false;
}

Lists Cull(const View& view, float moonFadeDistance) {
    Lists lists;
    const glm::vec3 c = view.camera;
    const float halfWidth = Abs(view.corner.x - c.x);
    const float halfHeight = view.corner.y - c.y;
    const float r2 = (view.corner.x - c.x) * (view.corner.x - c.x) + (view.corner.y - c.y) * (view.corner.y - c.y);
    float maxShadowR2 = 0.0f;
    const std::vector<engine::entity_handle>& entities = engine::GetAllEntities();
    for (const engine::entity_handle& entity : entities) {
        engine::entity_base& base = entity.GetBaseEntity();
        const glm::vec2 rel(base.position.x - c.x, base.position.y - c.y);
        if (const Sprite* sprite = Held<Sprite>(base)) {
            const float d2 = light_culling::SpriteDistance2(rel, static_cast<float>(sprite->width),
                                                            static_cast<float>(sprite->height));
            if (d2 < r2) AddSprite(entity, *sprite, lists);
        }
        if (MoonLight* moon = Held<MoonLight>(base)) {
            const float reach = moon->inner_radius + moonFadeDistance;
            if (light_culling::LightDistance2(rel, moon->offset, reach, halfWidth, halfHeight) < r2)
                lists.moonLights.push_back(moon);
        }
        if (PointLight* light = Held<PointLight>(base)) {
            const float reach = light->max_radius;
            maxShadowR2 = std::max(maxShadowR2, 2.0f * reach * reach);
            if (light_culling::LightDistance2(rel, light->offset, reach, halfWidth, halfHeight) < r2)
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
    return lists;
}

}  // namespace walk

// Handles compare by id alone; the same entity means the same slot too.
std::vector<std::pair<uint32_t, uint32_t>> Slots(const std::vector<engine::entity_handle>& handles) {
    std::vector<std::pair<uint32_t, uint32_t>> slots;
    for (const engine::entity_handle& handle : handles) slots.emplace_back(handle.GetIndex(), handle.GetId());
    return slots;
}

void ExpectSameLists(const Lists& got, const Lists& want, const std::string& where) {
    EXPECT_EQ(Slots(got.forwardSprites), Slots(want.forwardSprites)) << where;
    EXPECT_EQ(Slots(got.litSprites), Slots(want.litSprites)) << where;
    EXPECT_EQ(Slots(got.looseSprites), Slots(want.looseSprites)) << where;
    EXPECT_EQ(got.moonLights, want.moonLights) << where;
    EXPECT_EQ(got.pointLights, want.pointLights) << where;
    EXPECT_EQ(got.shadowCasters, want.shadowCasters) << where;
}

const char* const kTypes[] = {"Sprite", "MoonLight", "PointLight", "ShadowCaster"};

class CullingOracle : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        RegisterLightingComponents();
        events::Register<>("DebugDraw");
    }
    void TearDown() override {
        engine::DestroyAllEntities();
        GraphicsTest::TearDown();
    }

    float Coordinate() { return std::uniform_real_distribution<float>(-1200.0f, 1200.0f)(random); }
    float Size() { return std::uniform_real_distribution<float>(0.0f, 400.0f)(random); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random); }
    template <typename T>
    T& Pick(std::vector<T>& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
    }

    // A component of the named type with fields drawn at random: the
    // defaults say little about the tests.
    void Add(const engine::entity_handle& entity, const char* type) {
        entity.AddComponent(type, Json::Value());
        engine::entity_base& base = entity.GetBaseEntity();
        const std::string name = type;
        if (name == "Sprite") {
            Sprite* sprite = base.Get<Sprite>();
            sprite->width = static_cast<uint32_t>(Size());
            sprite->height = static_cast<uint32_t>(Size());
            sprite->environmental = Chance(0.6);
            sprite->clamped = Chance(0.6);
        } else if (name == "MoonLight") {
            base.Get<MoonLight>()->offset = {Coordinate() / 4, Coordinate() / 4};
            base.Get<MoonLight>()->inner_radius = Size();
        } else if (name == "PointLight") {
            base.Get<PointLight>()->offset = {Coordinate() / 4, Coordinate() / 4};
            base.Get<PointLight>()->max_radius = Chance(0.1) ? 0.0f : Size();
        } else {
            base.Get<ShadowCaster>()->offset = {Coordinate() / 4, Coordinate() / 4};
            base.Get<ShadowCaster>()->width = Size() / 4;
            base.Get<ShadowCaster>()->height = Size() / 4;
        }
    }

    // One random change to the level, through handles that may be stale.
    void Change(std::vector<engine::entity_handle>& handles) {
        const int what = std::uniform_int_distribution<int>(0, 9)(random);
        if (what <= 2 || handles.empty()) {
            const engine::entity_handle entity = engine::CreateEntity();
            entity.SetPosition(Coordinate(), Coordinate() - 400.0f, 0.0f);
            for (const char* type : kTypes)
                if (Chance(0.4)) Add(entity, type);
            handles.push_back(entity);
            return;
        }
        const engine::entity_handle entity = Pick(handles);
        const char* type = kTypes[std::uniform_int_distribution<int>(0, 3)(random)];
        if (!entity.IsValid()) {
            // The table ignores a stale handle's destruction and refuses
            // its components.
            engine::DestroyEntity(entity, false);
            EXPECT_THROW(entity.AddComponent(type, Json::Value()), debug::exception);
            return;
        }
        switch (what) {
        case 3:
        case 4: Add(entity, type); break;  // nothing when it holds one already
        case 5:
        case 6: entity.RemoveComponent(type); break;
        case 7: engine::DestroyEntity(entity, false); break;
        case 8: entity.SetPosition(Coordinate(), Coordinate(), 0.0f); break;
        default:
            if (entity.HasComponent<PointLight>()) entity.GetBaseEntity().Get<PointLight>()->max_radius = Size();
        }
    }

    View RandomView() {
        const glm::vec3 camera(Coordinate() / 3, Coordinate() / 3, 0.0f);
        const float halfWidth = std::uniform_real_distribution<float>(0.0f, 400.0f)(random);
        const float halfHeight = std::uniform_real_distribution<float>(-300.0f, 300.0f)(random);
        return {camera, camera + glm::vec3(Chance(0.5) ? -halfWidth : halfWidth, halfHeight, 0.0f)};
    }

    std::mt19937 random{20240601};
};

TEST_F(CullingOracle, LevelListsMatchTheWalkOverEveryEntity) {
    std::vector<engine::entity_handle> handles;  // every one made, stale ones kept
    Lists lists;
    size_t seenLights = 0, seenCasters = 0, seenSprites = 0;
    for (int frame = 0; frame < 300; ++frame) {
        if (frame % 100 == 99) engine::DestroyAllEntities();  // a level load: every handle goes stale
        for (int i = 0; i < 12; ++i) {
            Change(handles);
            // Culled again within the frame, after removals and destruction
            // requests that have not been carried out yet.
            if (i % 4 == 3) {
                const View view = RandomView();
                light_culling::CullLevel(view, 30.0f, lists);
                ExpectSameLists(lists, walk::Cull(view, 30.0f), "frame " + std::to_string(frame));
            }
        }
        const View view = RandomView();
        const float fade = std::uniform_real_distribution<float>(0.0f, 200.0f)(random);
        light_culling::CullLevel(view, fade, lists);
        ExpectSameLists(lists, walk::Cull(view, fade), "end of frame " + std::to_string(frame));
        Lists byEntity;
        light_culling::Cull(view, engine::GetAllEntities(), fade, byEntity);
        ExpectSameLists(byEntity, walk::Cull(view, fade), "given entities, frame " + std::to_string(frame));
        if (HasFailure()) return;
        seenLights += lists.pointLights.size();
        seenCasters += lists.shadowCasters.size();
        seenSprites += lists.litSprites.size() + lists.looseSprites.size() + lists.forwardSprites.size();
        engine::FlushPendingDestroys();
    }
    // The scenes put things in view, so the comparison compared something.
    EXPECT_GT(seenLights, 100u);
    EXPECT_GT(seenCasters, 100u);
    EXPECT_GT(seenSprites, 100u);
}

// Components added to older entities, removed and added again, and an entity
// destroyed while its components are removed one by one keep their places in
// creation order.
TEST_F(CullingOracle, LateAndReplacedComponentsKeepTheirEntitysPlace) {
    const View view{{0, 0, 0}, {-249, 140, 0}};
    std::vector<engine::entity_handle> row;
    for (int i = 0; i < 6; ++i) {
        row.push_back(engine::CreateEntity());
        row.back().SetPosition(10.0f * i, 0.0f, 0.0f);
    }
    for (int i : {5, 1, 3, 0}) row[i].AddComponent("PointLight", Json::Value());
    Lists lists;
    light_culling::CullLevel(view, 0.0f, lists);
    ASSERT_EQ(lists.pointLights.size(), 4u);
    EXPECT_EQ(lists.pointLights, walk::Cull(view, 0.0f).pointLights);
    EXPECT_EQ(lists.pointLights.front(), row[0].GetBaseEntity().Get<PointLight>());

    row[1].RemoveComponent("PointLight");
    row[1].AddComponent("PointLight", Json::Value());
    engine::DestroyEntity(row[3], false);
    engine::FlushPendingDestroys();
    const engine::entity_handle reused = engine::CreateEntity();  // slot 3 again, a later id
    ASSERT_EQ(reused.GetIndex(), row[3].GetIndex());
    reused.AddComponent("PointLight", Json::Value());
    row[2].AddComponent("PointLight", Json::Value());
    light_culling::CullLevel(view, 0.0f, lists);
    const std::vector<PointLight*> expected = {
        row[0].GetBaseEntity().Get<PointLight>(), row[1].GetBaseEntity().Get<PointLight>(),
        row[2].GetBaseEntity().Get<PointLight>(), row[5].GetBaseEntity().Get<PointLight>(),
        reused.GetBaseEntity().Get<PointLight>()};
    EXPECT_EQ(lists.pointLights, expected);
    EXPECT_EQ(lists.pointLights, walk::Cull(view, 0.0f).pointLights);
}

}  // namespace
