#include <gtest/gtest.h>

#include "core/entity/entity_table.h"

using engine::CreateEntity;
using engine::DestroyAllEntities;
using engine::DestroyEntity;
using engine::entity_handle;
using engine::FlushPendingDestroys;
using engine::GetAllEntities;

namespace {

std::vector<uint32_t> LiveIds() {
    std::vector<uint32_t> ids;
    for (const auto& handle : GetAllEntities()) ids.push_back(handle.GetId());
    return ids;
}

TEST(EntityTable, NewEntitiesCountIdsFromOneAndSlotsFromZero) {
    entity_handle a = CreateEntity(), b = CreateEntity();
    EXPECT_EQ(a.GetId(), 1u);
    EXPECT_EQ(a.GetIndex(), 0u);
    EXPECT_EQ(b.GetId(), 2u);
    EXPECT_EQ(b.GetIndex(), 1u);
    EXPECT_EQ(a.GetName(), "Entity");
    EXPECT_EQ(a.GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_FALSE(a.GetBaseEntity().dead);
}

TEST(EntityTable, FlushedSlotIsReusedWithANewIdAndTheOldHandleGoesStale) {
    std::vector<entity_handle> made;
    for (int i = 0; i < 5; ++i) made.push_back(CreateEntity());
    made[3].SetName("doomed");
    made[3].SetPosition(4, 5, 6);
    DestroyEntity(made[3], false);
    EXPECT_TRUE(made[3].IsValid()) << "a queued entity stays usable until the flush";
    FlushPendingDestroys();
    EXPECT_FALSE(made[3].IsValid());
    EXPECT_EQ(LiveIds(), (std::vector<uint32_t>{1, 2, 3, 5}));

    entity_handle reused = CreateEntity();
    EXPECT_EQ(reused.GetIndex(), 3u);
    EXPECT_EQ(reused.GetId(), 6u);
    EXPECT_EQ(reused.GetName(), "Entity");
    EXPECT_EQ(reused.GetPosition(), glm::vec3(0, 0, 0));
    EXPECT_FALSE(made[3].IsValid()) << "slot 3 is live again, but under another id";
    EXPECT_EQ(LiveIds(), (std::vector<uint32_t>{1, 2, 3, 5, 6}));
}

TEST(EntityTable, SlotsAreReusedLastFreedFirst) {
    entity_handle a = CreateEntity(), b = CreateEntity(), c = CreateEntity();
    DestroyEntity(a, false);
    DestroyEntity(c, false);
    FlushPendingDestroys();
    EXPECT_EQ(CreateEntity().GetIndex(), c.GetIndex());
    EXPECT_EQ(CreateEntity().GetIndex(), a.GetIndex());
    EXPECT_EQ(CreateEntity().GetIndex(), 3u);
    EXPECT_TRUE(b.IsValid());
}

TEST(EntityTable, RepeatedAndStaleDestroyRequestsAreIgnored) {
    entity_handle a = CreateEntity(), b = CreateEntity();
    DestroyEntity(a, false);
    DestroyEntity(entity_handle(a.GetIndex(), a.GetId()), false);
    FlushPendingDestroys();
    EXPECT_EQ(LiveIds(), (std::vector<uint32_t>{2}));
    DestroyEntity(a, false);  // stale now
    DestroyEntity(entity_handle(50, 2), false);  // beyond the table
    EXPECT_NO_THROW(FlushPendingDestroys());
    EXPECT_TRUE(b.IsValid());
    EXPECT_EQ(CreateEntity().GetIndex(), a.GetIndex()) << "slot freed once, not twice";
    EXPECT_EQ(CreateEntity().GetIndex(), 2u);
}

TEST(EntityTable, HandlesCompareByIdOnly) {
    EXPECT_EQ(entity_handle(0, 5), entity_handle(3, 5));
    EXPECT_NE(entity_handle(3, 5), entity_handle(3, 6));
    EXPECT_EQ(entity_handle(), entity_handle(0, 0));
    EXPECT_FALSE(entity_handle().IsValid());
}

TEST(EntityTable, StaleHandlesThrowOnEveryResolvingOperation) {
    entity_handle a = CreateEntity();
    const std::string message = "entity_handle::GetBaseEntity: attempted to get wrong/dead ent!";
    for (entity_handle stale : {entity_handle(0, 2), entity_handle(9, 1)}) {
        try {
            stale.SetPosition(1, 2, 3);
            FAIL() << "no exception";
        } catch (const debug::exception& error) {
            EXPECT_EQ(error.what(), message);
        }
        EXPECT_THROW(stale.GetName(), debug::exception);
        EXPECT_THROW(stale.GetSnappedPosition(), debug::exception);
        EXPECT_THROW(DestroyEntity(stale, true), debug::exception);
        EXPECT_EQ(stale.GetIndex(), stale.index);
    }
    EXPECT_EQ(a.GetPosition(), glm::vec3(0, 0, 0));
}

TEST(EntityTable, DestroyAllEntitiesResetsIdsSlotsAndQueues) {
    for (int i = 0; i < 4; ++i) CreateEntity();
    entity_handle queued = CreateEntity();
    DestroyEntity(queued, false);
    DestroyEntity(entity_handle(1, 2), false);
    FlushPendingDestroys();
    entity_handle kept = CreateEntity();
    DestroyEntity(kept, false);
    DestroyAllEntities();
    EXPECT_TRUE(GetAllEntities().empty());
    EXPECT_FALSE(kept.IsValid());
    EXPECT_NO_THROW(FlushPendingDestroys());

    entity_handle first = CreateEntity(), second = CreateEntity();
    EXPECT_EQ(first.GetId(), 1u);
    EXPECT_EQ(first.GetIndex(), 0u);
    EXPECT_EQ(second.GetId(), 2u);
    EXPECT_EQ(second.GetIndex(), 1u);
    EXPECT_TRUE(entity_handle(1, 2).IsValid()) << "an old handle may name an entity of the new level";
    EXPECT_FALSE(entity_handle(4, 5).IsValid());
}

TEST(EntityTable, SnappedPositionRoundsHalvesAwayFromZero) {
    entity_handle e = CreateEntity();
    e.SetPosition(2.5f, -2.5f, 7.25f);
    EXPECT_EQ(e.GetSnappedPosition(), glm::vec3(3, -3, 7.25f));
    e.SetPosition(10.49f, 3.5f, 0);
    EXPECT_EQ(e.GetSnappedPosition(), glm::vec3(10, 4, 0));
    e.SetPosition(2.4999f, -0.4f, -1);
    EXPECT_EQ(e.GetSnappedPosition(), glm::vec3(2, 0, -1));
}

TEST(EntityTable, PositionReferenceWritesInPlace) {
    entity_handle e = CreateEntity();
    e.GetPosition().x = 12.0f;
    e.GetName() += "!";
    EXPECT_EQ(e.GetBaseEntity().position.x, 12.0f);
    EXPECT_EQ(e.GetName(), "Entity!");
}

}  // namespace
