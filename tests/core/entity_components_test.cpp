#include <gtest/gtest.h>

#include "core/entity/entity_table.h"
#include "tests/core/test_components.h"
#include "tests/support/error_text.h"

using engine::CreateEntity;
using engine::entity_handle;

namespace {

class EntityComponents : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestComponents(); }
    static Json::Value Saved(int value) {
        Json::Value json;
        json["value"] = value;
        return json;
    }
    static bool Listening(const std::string& id) {
        // Disconnect reports whether the listener was there; put it back.
        if (!events::Disconnect(RecordingComponent<Alpha>::kEvent, id)) return false;
        events::Connect<>(RecordingComponent<Alpha>::kEvent, id, [] {});
        return true;
    }
    std::vector<std::string>& log = ComponentLog();
};

TEST_F(EntityComponents, AddDeserialisesThenInitialisesAndAttaches) {
    entity_handle e = CreateEntity();
    e.AddComponent("Beta", Saved(4));
    e.AddComponent("Alpha", Json::Value());
    EXPECT_EQ(log, (std::vector<std::string>{"Beta deserialize 4 1", "Beta init 1", "Alpha init 1"}));
    EXPECT_TRUE(e.HasComponent<Alpha>());
    EXPECT_TRUE(e.GetBaseEntity().HasComponent("Beta"));
    EXPECT_EQ(e.GetBaseEntity().Get<Beta>()->value, 4);
    EXPECT_EQ(e.GetBaseEntity().Get<Beta>()->owner, e);
    EXPECT_TRUE(Listening("Alpha1"));
}

TEST_F(EntityComponents, AddingAHeldTypeAgainLeavesTheHeldComponentAlone) {
    entity_handle e = CreateEntity();
    e.AddComponent("Alpha", Saved(1));
    for (const Json::Value& json : {Saved(2), Json::Value()}) {
        log.clear();
        EXPECT_NO_THROW(e.AddComponent("Alpha", json)) << "its listener id is taken by the held one";
        EXPECT_TRUE(log.empty()) << log.front();
        EXPECT_EQ(e.GetBaseEntity().Get<Alpha>()->value, 1);
        EXPECT_TRUE(Listening("Alpha1"));
    }
}

TEST_F(EntityComponents, AddingToAStaleHandleThrowsAndLeavesNothingConnected) {
    entity_handle e = CreateEntity();
    engine::DestroyEntity(e, false);
    engine::FlushPendingDestroys();
    log.clear();
    EXPECT_THROW(e.AddComponent("Beta", Json::Value()), debug::exception);
    EXPECT_EQ(log, (std::vector<std::string>{"Beta init 1", "Beta remove 1"}));
    EXPECT_FALSE(Listening("Beta1"));
}

TEST_F(EntityComponents, UnknownTypeNamesThrowTheRegistryMessages) {
    entity_handle e = CreateEntity();
    EXPECT_EQ(ErrorText([&] { e.AddComponent("Gamma", Json::Value()); }),
              "components::Create failed to map component string!");
    EXPECT_EQ(ErrorText([&] { e.RemoveComponent("Gamma"); }), "components::GetID failed to map component string!");
    EXPECT_EQ(ErrorText([&] { e.GetBaseEntity().HasComponent("Gamma"); }),
              "components::GetID failed to map component string!");
    EXPECT_EQ(ErrorText([&] { e.GetBaseEntity().Get<Alpha>(); }), "entity_base.Get: component doesn't exist!");
}

TEST_F(EntityComponents, RemoveComponentCallsRemoveAndReportsWhetherThereWasOne) {
    entity_handle e = CreateEntity();
    e.AddComponent("Alpha", Json::Value());
    log.clear();
    EXPECT_FALSE(e.RemoveComponent("Beta"));
    EXPECT_TRUE(e.RemoveComponent("Alpha"));
    EXPECT_FALSE(e.RemoveComponent("Alpha"));
    EXPECT_EQ(log, (std::vector<std::string>{"Alpha remove 1"}));
    EXPECT_FALSE(e.HasComponent<Alpha>());
    EXPECT_FALSE(Listening("Alpha1"));
}

TEST_F(EntityComponents, DestructionRemovesComponentsInAscendingTypeId) {
    entity_handle e = CreateEntity();
    e.AddComponent("Beta", Json::Value());
    e.AddComponent("Alpha", Json::Value());
    log.clear();
    engine::DestroyEntity(e, false);
    EXPECT_TRUE(log.empty());
    engine::FlushPendingDestroys();
    EXPECT_EQ(log, (std::vector<std::string>{"Alpha remove 1", "Beta remove 1"}));
    EXPECT_FALSE(Listening("Alpha1"));
    EXPECT_FALSE(Listening("Beta1"));
}

// A component whose Remove asks for more destruction and creates entities.
struct Spawner : BaseComponent<Spawner> {
    void Initialize() override {}
    void Remove() override {
        engine::DestroyEntity(victim, false);
        entity_handle child = CreateEntity();
        child.AddComponent("Alpha", Json::Value());
    }
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}
    entity_handle victim;
};

TEST_F(EntityComponents, RequestsMadeDuringAFlushAreDropped) {
    components::Register<Spawner>("Spawner");
    entity_handle spawner = CreateEntity(), victim = CreateEntity();
    spawner.AddComponent("Spawner", Json::Value());
    spawner.GetBaseEntity().Get<Spawner>()->victim = victim;
    engine::DestroyEntity(spawner, false);
    engine::FlushPendingDestroys();
    EXPECT_TRUE(victim.IsValid());
    engine::FlushPendingDestroys();
    EXPECT_TRUE(victim.IsValid());
    EXPECT_EQ(engine::GetAllEntities().size(), 2u) << "the victim and the spawned child";
}

TEST_F(EntityComponents, EntitiesSpawnedWhileDestroyingAllAreTakenDownToo) {
    components::Register<Spawner>("Spawner");
    entity_handle spawner = CreateEntity();
    spawner.AddComponent("Spawner", Json::Value());
    engine::DestroyAllEntities();
    EXPECT_FALSE(Listening("Alpha2")) << "the child's listener went with it";
    EXPECT_EQ(CreateEntity().GetId(), 1u);
}

// Comes back as soon as it is removed, as a script's respawning component does.
struct Respawner : BaseComponent<Respawner> {
    static inline int removes = 0;
    void Initialize() override { events::Connect<>(RecordingComponent<Alpha>::kEvent, ListenerId(owner), [] {}); }
    void Remove() override {
        ++removes;
        events::Disconnect(RecordingComponent<Alpha>::kEvent, ListenerId(owner));
        entity_handle again = CreateEntity();
        again.SetName("again");
        again.AddComponent("Respawner", Json::Value());
        again.AddComponent("Alpha", Json::Value());
    }
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}
    static std::string ListenerId(entity_handle owner) { return "Respawner" + std::to_string(owner.GetId()); }
};

TEST_F(EntityComponents, DestroyingAllEndsWhenEveryRemoveRespawnsItsEntity) {
    components::Register<Respawner>("Respawner");
    for (int i = 0; i < 3; ++i) CreateEntity().AddComponent("Respawner", Json::Value());
    entity_handle fourth = CreateEntity();
    fourth.AddComponent("Respawner", Json::Value());
    // In play the respawn works: the entity comes back with its component.
    engine::DestroyEntity(fourth, false);
    engine::FlushPendingDestroys();
    ASSERT_EQ(Respawner::removes, 1);
    ASSERT_EQ(engine::GetAllEntities().size(), 4u);
    EXPECT_TRUE(engine::GetAllEntities().back().GetBaseEntity().components.size() == 2u);
    Respawner::removes = 0;
    log.clear();

    engine::DestroyAllEntities();
    EXPECT_EQ(Respawner::removes, 4) << "each entity live at the call is removed once";
    // Only the entity that respawned in play holds an Alpha; nothing made
    // during the teardown was initialised.
    EXPECT_EQ(log, (std::vector<std::string>{"Alpha remove 5"}));
    for (uint32_t id = 1; id <= 12; ++id) {
        EXPECT_FALSE(Listening(Respawner::ListenerId(entity_handle(0, id)))) << id;
        EXPECT_FALSE(Listening("Alpha" + std::to_string(id))) << id;
    }
    EXPECT_TRUE(engine::GetAllEntities().empty());
    entity_handle next = CreateEntity();
    EXPECT_EQ(next.GetId(), 1u);
    next.AddComponent("Respawner", Json::Value());
    EXPECT_EQ(next.GetBaseEntity().components.size(), 1u) << "components attach again afterwards";
}

// Walks the live list from its Remove, as systems that scan every entity do.
struct Walker : BaseComponent<Walker> {
    static inline std::vector<uint32_t> seen;
    void Initialize() override {}
    void Remove() override {
        seen.clear();
        for (const entity_handle& live : engine::GetAllEntities()) {
            EXPECT_TRUE(live.IsValid());
            seen.push_back(live.GetId());
        }
    }
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}
};

TEST_F(EntityComponents, RemoveDuringAFlushSeesOnlyLiveEntities) {
    components::Register<Walker>("Walker");
    entity_handle plain = CreateEntity(), keep = CreateEntity(), walker = CreateEntity();
    walker.AddComponent("Walker", Json::Value());
    engine::DestroyEntity(plain, false);
    engine::DestroyEntity(walker, false);
    engine::FlushPendingDestroys();
    EXPECT_EQ(Walker::seen, (std::vector<uint32_t>{keep.GetId(), walker.GetId()}));
    EXPECT_EQ(engine::GetAllEntities(), (std::vector<entity_handle>{keep}));
}

TEST_F(EntityComponents, CopyFromReplacesComponentsPositionAndName) {
    entity_handle source = CreateEntity(), target = CreateEntity();
    source.AddComponent("Alpha", Saved(5));
    source.AddComponent("Beta", Saved(6));
    source.GetBaseEntity().Get<Beta>()->label = "copied";
    source.SetPosition(1, 2, 3);
    source.SetName("Lamp");
    target.AddComponent("Beta", Saved(9));
    log.clear();
    target.CopyFrom(source);
    EXPECT_EQ(log, (std::vector<std::string>{"Beta remove 2", "Alpha init 2", "Beta init 2"}));
    Beta* beta = target.GetBaseEntity().Get<Beta>();
    EXPECT_EQ(beta->value, 6);
    EXPECT_EQ(beta->label, "copied");
    EXPECT_EQ(beta->owner, target) << "the copy keeps its own owner";
    EXPECT_EQ(target.GetBaseEntity().Get<Alpha>()->value, 5);
    EXPECT_EQ(target.GetPosition(), glm::vec3(1, 2, 3));
    EXPECT_EQ(target.GetName(), "Lamp");
    EXPECT_TRUE(Listening("Alpha2"));
    EXPECT_TRUE(Listening("Alpha1"));
}

}  // namespace
