// Event dispatch, entity churn and handle resolution, each beside the plain
// container operation it is built on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"

namespace {

// The registry as the game fills it, so look-ups search a table of its size.
void RegisterGameEvents() {
    static const bool registered = [] {
        for (const char* name : {"PreLogicUpdate", "LogicUpdate", "PostDraw", "DebugDraw", "PauseMenuPaused",
                                 "PauseMenuUnPaused", "PauseMenuConfirmClose"})
            events::Register<float>(name);
        for (const char* name : {"KeyPressed", "KeyDown", "KeyReleased", "MouseButtonPressed", "MouseButtonDown",
                                 "MouseButtonReleased", "OnCollisionStarted", "OnCollisionPersisted",
                                 "OnCollisionEnded", "LevelLoad", "LevelUnload", "LevelUnloadFinished",
                                 "EditorSelectedEntity"})
            events::Register<int>(name);
        for (int i = 0; i < 10; ++i)
            events::Connect<float>("LogicUpdate", "UpdateEmitterPosition" + std::to_string(i),
                                   [](float dt) { benchmark::DoNotOptimize(dt); });
        events::Connect<int>("KeyPressed", "LuaBindingKeyPressed", [](int key) { benchmark::DoNotOptimize(key); });
        return true;
    }();
    (void)registered;
}

void BM_DispatchTenListeners(benchmark::State& state) {
    RegisterGameEvents();
    for (auto _ : state) events::Call<float>("LogicUpdate", 0.016f);
}
BENCHMARK(BM_DispatchTenListeners);

void BM_DispatchTenListeners_Reference(benchmark::State& state) {
    std::vector<std::function<void(float)>> listeners(10, [](float dt) { benchmark::DoNotOptimize(dt); });
    for (auto _ : state)
        for (auto& listener : listeners) listener(0.016f);
}
BENCHMARK(BM_DispatchTenListeners_Reference);

// What a raise costs beyond its listener.
void BM_DispatchOneListener(benchmark::State& state) {
    RegisterGameEvents();
    for (auto _ : state) events::Call<int>("KeyPressed", 65);
}
BENCHMARK(BM_DispatchOneListener);

void BM_DispatchOneListener_Reference(benchmark::State& state) {
    std::function<void(int)> listener = [](int key) { benchmark::DoNotOptimize(key); };
    benchmark::DoNotOptimize(&listener);
    for (auto _ : state) listener(65);
}
BENCHMARK(BM_DispatchOneListener_Reference);

// An entity's listener coming and going, beside the hash map of ids to
// callables it is kept in.
void BM_ConnectDisconnect(benchmark::State& state) {
    RegisterGameEvents();
    for (auto _ : state) {
        events::Connect<float>("LogicUpdate", "UpdateEmitterPosition4711",
                               [](float dt) { benchmark::DoNotOptimize(dt); });
        events::Disconnect("LogicUpdate", "UpdateEmitterPosition4711");
    }
}
BENCHMARK(BM_ConnectDisconnect);

void BM_ConnectDisconnect_Reference(benchmark::State& state) {
    std::unordered_map<std::string, std::function<void(float)>> listeners;
    for (int i = 0; i < 10; ++i)
        listeners.emplace("UpdateEmitterPosition" + std::to_string(i), [](float dt) { benchmark::DoNotOptimize(dt); });
    for (auto _ : state) {
        listeners.emplace("UpdateEmitterPosition4711", [](float dt) { benchmark::DoNotOptimize(dt); });
        listeners.erase("UpdateEmitterPosition4711");
    }
}
BENCHMARK(BM_ConnectDisconnect_Reference);

void BM_CreateDestroy100k(benchmark::State& state) {
    std::vector<engine::entity_handle> made;
    made.reserve(100000);
    for (auto _ : state) {
        made.clear();
        for (int i = 0; i < 100000; ++i) made.push_back(engine::CreateEntity());
        for (const auto& handle : made) engine::DestroyEntity(handle, false);
        engine::FlushPendingDestroys();
        engine::DestroyAllEntities();
    }
}
BENCHMARK(BM_CreateDestroy100k)->Unit(benchmark::kMillisecond);

void BM_CreateDestroy100k_Reference(benchmark::State& state) {
    struct Record {
        std::string name;
        float x, y, z;
        uint32_t id;
    };
    std::vector<Record> records;
    for (auto _ : state) {
        records.clear();
        for (uint32_t i = 0; i < 100000; ++i) records.push_back({"Entity", 0, 0, 0, i + 1});
        benchmark::DoNotOptimize(records.data());
        records.clear();
    }
}
BENCHMARK(BM_CreateDestroy100k_Reference)->Unit(benchmark::kMillisecond);

void BM_ResolveHandle(benchmark::State& state) {
    engine::DestroyAllEntities();
    std::vector<engine::entity_handle> made;
    for (int i = 0; i < 1000; ++i) made.push_back(engine::CreateEntity());
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&made[i].GetBaseEntity());
        i = (i + 1) % made.size();
    }
    engine::DestroyAllEntities();
}
BENCHMARK(BM_ResolveHandle);

void BM_ResolveHandle_Reference(benchmark::State& state) {
    std::vector<std::pair<uint32_t, bool>> slots(1000, {1, false});
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&slots[i]);
        i = (i + 1) % slots.size();
    }
}
BENCHMARK(BM_ResolveHandle_Reference);

// A component with nothing to connect, so a flush does only the table's work.
struct Plain : BaseComponent<Plain> {
    void Initialize() override {}
    void Remove() override {}
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}
};

void RegisterPlain() {
    static const bool registered = (components::Register<Plain>("Plain"), true);
    (void)registered;
}

// Flushing every entity of a level, each holding a component; the live list
// holds as many again that stay.
void BM_FlushComponentHolders(benchmark::State& state) {
    RegisterPlain();
    const int count = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        engine::DestroyAllEntities();
        std::vector<engine::entity_handle> doomed;
        for (int i = 0; i < 2 * count; ++i) {
            const engine::entity_handle handle = engine::CreateEntity();
            handle.AddComponent("Plain", Json::Value());
            if (i % 2 == 0) doomed.push_back(handle);
        }
        for (const auto& handle : doomed) engine::DestroyEntity(handle, false);
        state.ResumeTiming();
        engine::FlushPendingDestroys();
    }
    engine::DestroyAllEntities();
}
BENCHMARK(BM_FlushComponentHolders)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMicrosecond);

// Each record's component deleted, then one pass over the list.
void BM_FlushComponentHolders_Reference(benchmark::State& state) {
    struct Record {
        std::map<uint32_t, std::unique_ptr<Plain>> components;
        bool dead = false;
    };
    const int count = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Record> records(2 * count);
        for (Record& record : records) record.components.emplace(1, std::make_unique<Plain>());
        state.ResumeTiming();
        for (int i = 0; i < 2 * count; i += 2) {
            records[i].components.clear();
            records[i].dead = true;
        }
        std::erase_if(records, [](const Record& record) { return record.dead; });
        benchmark::DoNotOptimize(records.data());
    }
}
BENCHMARK(BM_FlushComponentHolders_Reference)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMicrosecond);

// Frames of a level whose scripts fire bullets: each frame makes 2,000
// entities holding a component that nothing reads by type, and its flush
// destroys the previous frame's 2,000; 2,000 more stay throughout. Divide by
// 2,000 for the cost of one entity made and destroyed.
constexpr int kChurn = 2000;

void BM_ChurnFrame(benchmark::State& state) {
    RegisterPlain();
    engine::DestroyAllEntities();
    for (int i = 0; i < kChurn; ++i) engine::CreateEntity().AddComponent("Plain", Json::Value());
    std::vector<engine::entity_handle> previous, made;
    for (auto _ : state) {
        made.clear();
        for (int i = 0; i < kChurn; ++i) {
            made.push_back(engine::CreateEntity());
            made.back().AddComponent("Plain", Json::Value());
        }
        for (const auto& handle : previous) engine::DestroyEntity(handle, false);
        engine::FlushPendingDestroys();
        std::swap(previous, made);
    }
    // What the type's list holds room for at the end: a small multiple of
    // the 4,000 live, however many frames ran.
    state.counters["list room"] = static_cast<double>(engine::ComponentListCapacity(BaseComponent<Plain>::ID));
    engine::DestroyAllEntities();
}
BENCHMARK(BM_ChurnFrame)->Unit(benchmark::kMicrosecond);

// The same frames over records in one array with a free list.
void BM_ChurnFrame_Reference(benchmark::State& state) {
    struct Record {
        std::map<uint32_t, std::unique_ptr<Plain>> components;
        bool dead = false;
    };
    std::vector<Record> records(kChurn);
    for (Record& record : records) record.components.emplace(1, std::make_unique<Plain>());
    std::vector<uint32_t> freeSlots, previous, made;
    for (auto _ : state) {
        made.clear();
        for (int i = 0; i < kChurn; ++i) {
            uint32_t slot = static_cast<uint32_t>(records.size());
            if (freeSlots.empty()) {
                records.emplace_back();
            } else {
                slot = freeSlots.back();
                freeSlots.pop_back();
            }
            records[slot].dead = false;
            records[slot].components.emplace(1, std::make_unique<Plain>());
            made.push_back(slot);
        }
        for (uint32_t slot : previous) {
            records[slot].components.clear();
            records[slot].dead = true;
            freeSlots.push_back(slot);
        }
        std::swap(previous, made);
        benchmark::DoNotOptimize(records.data());
    }
}
BENCHMARK(BM_ChurnFrame_Reference)->Unit(benchmark::kMicrosecond);

}  // namespace
