// The entity table's per-type component lists while entities come and go
// every frame (bullets, particles) and nothing walks the lists: each stays
// within a small multiple of its type's live components, for every built-in
// type and a type written in Lua.
#include <string>
#include <vector>

#include "core/components/registry.h"
#include "core/entity/entity_base.h"
#include "core/entity/entity_table.h"
#include "tests/scripting/lua_fixture.h"

namespace {

// The ten built-in types, then one that a script declares.
const std::vector<std::string> kTypes = {
    "Sprite", "MoonLight", "PointLight", "ShadowCaster", "RigidBody", "CircleCollider",
    "BoxCollider", "SoundEmitter", "SoundSpace", "Ray", "Spark",
};

// Room for four times what is live, and the few entries any list may keep.
bool WithinBound(size_t room, size_t live) { return room <= 4 * live + 64; }

TEST_F(LuaTest, ComponentListsStayWithinABoundOfTheLiveComponents) {
    Lua(R"(components.Register("Spark", { fields = { heat = 1 } }))");
    // A crowded moment, then a long stretch of a few at a time: the room
    // taken in the crowd is given back. Last, entities that lose their
    // component and live on, so that no frame destroys anything.
    struct Stretch {
        int frames;
        size_t madePerFrame;
        bool destroy;
    };
    const Stretch stretches[] = {{4, 400, true}, {150, 10, true}, {150, 10, false}};

    std::vector<std::vector<engine::entity_handle>> previous(kTypes.size());
    int frame = 0;
    for (const Stretch& stretch : stretches) {
        for (int f = 0; f < stretch.frames; ++f, ++frame) {
            for (size_t t = 0; t < kTypes.size(); ++t) {
                // Last frame's: half lose their component first, then all
                // go; or all lose it and live on.
                for (size_t i = 0; i < previous[t].size(); ++i) {
                    if (i % 2 == 0 || !stretch.destroy) previous[t][i].RemoveComponent(kTypes[t]);
                    if (stretch.destroy) engine::DestroyEntity(previous[t][i], false);
                }
                previous[t].clear();
                for (size_t i = 0; i < stretch.madePerFrame; ++i) {
                    previous[t].push_back(engine::CreateEntity());
                    previous[t].back().AddComponent(kTypes[t], Json::Value());
                }
            }
            engine::FlushPendingDestroys();
            for (size_t t = 0; t < kTypes.size(); ++t) {
                const uint32_t id = components::GetID(kTypes[t]);
                const size_t room = engine::ComponentListCapacity(id);
                ASSERT_TRUE(previous[t].back().GetBaseEntity().HasComponent(kTypes[t])) << kTypes[t];
                ASSERT_GE(room, stretch.madePerFrame) << kTypes[t];
                ASSERT_TRUE(WithinBound(room, stretch.madePerFrame))
                    << kTypes[t] << " holds room for " << room << " entries with " << stretch.madePerFrame
                    << " live, frame " << frame;
            }
        }
    }
    EXPECT_TRUE(Logged().empty());
}

}  // namespace
