#include <gtest/gtest.h>

#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "tests/engine/engine_fixture.h"

namespace {

using FrameLoop = EngineTest;

TEST_F(FrameLoop, FirstFrameLoadsKorvelSplashAndEntersGameMode) {
    int loads = 0;
    events::Connect<Json::Value*>("LevelLoad", "count", [&](Json::Value*) { ++loads; });
    EXPECT_EQ(Engine::GetMode(), Engine::kStartMode);
    RunUntil([&](int frame) {
        EXPECT_EQ(Engine::GetMode(), Engine::kGameMode);
        EXPECT_EQ(Engine::GetCurrentLevelName(), "korvel_splash");
        return frame == 3;
    });
    EXPECT_EQ(loads, 1);
}

TEST_F(FrameLoop, LogicEventsRunInOrderAndDestructionsWaitForTheFrameEnd) {
    std::vector<std::string> log;
    engine::entity_handle doomed;
    auto state = [&] { return std::string(doomed.IsValid() ? " alive" : " gone"); };
    events::Connect<float>("LogicUpdate", "order", [&](float) { log.push_back("LogicUpdate" + state()); });
    RunUntil([&](int frame) {
        log.push_back("PreLogicUpdate" + state());
        if (frame == 1) {
            doomed = engine::CreateEntity();
            engine::DestroyEntity(doomed, false);
        }
        return frame == 2;
    });
    EXPECT_EQ(log, (std::vector<std::string>{"PreLogicUpdate gone", "LogicUpdate alive", "PreLogicUpdate gone",
                                             "LogicUpdate gone"}));
}

TEST_F(FrameLoop, PausedFramesStillRaiseTheLogicEventsWithZero) {
    std::vector<float> steps;
    events::Connect<float>("LogicUpdate", "steps", [&](float dt) { steps.push_back(dt); });
    RunUntil([&](int frame) {
        if (frame == 2) Engine::Pause();
        return frame == 4;
    });
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_GT(steps[0], 0.0f) << "the first frame's time is the clock's reading";
    EXPECT_EQ(steps[2], 0.0f);
    EXPECT_EQ(steps[3], 0.0f);
    EXPECT_GT(Engine::GetDeltaTime(), 0.0f) << "the unscaled frame time goes on";
}

TEST_F(FrameLoop, PauseAndUnpauseChangeNothingTheSecondTime) {
    Engine::Pause();
    Engine::Pause();
    EXPECT_TRUE(Engine::IsPaused());
    EXPECT_EQ(g_engine->timeScale, 0.0f);
    Engine::Unpause();
    EXPECT_FALSE(Engine::IsPaused());
    g_engine->timeScale = 0.5f;  // a running engine's scale is left alone
    Engine::Unpause();
    EXPECT_EQ(g_engine->timeScale, 0.5f);
}

TEST_F(FrameLoop, TwoLevelRequestsBeforeAFrameLoadOnlyTheLast) {
    folder.WriteLevel("cave", kSmallLevel);
    folder.WriteLevel("tower", kSmallLevel);
    std::vector<std::string> loaded;
    events::Connect<Json::Value*>("LevelLoad", "names", [&](Json::Value*) {
        loaded.push_back(Engine::GetCurrentLevelName());
    });
    RunUntil([&](int frame) {
        if (frame == 1) {
            Engine::SetLevel("cave", false);
            Engine::SetLevel("tower", false);
        }
        return frame == 3;
    });
    EXPECT_EQ(loaded, (std::vector<std::string>{"korvel_splash", "tower"}));
}

TEST_F(FrameLoop, ShutDownSavesTheLevelBeingLeftOnceWhenArmed) {
    folder.WriteLevel("korvel_splash", R"({"entities": [{"name": "hero"}]})");
    int saves = 0;
    events::Connect<Json::Value*>("LevelUnloadFinished", "count", [&](Json::Value*) { ++saves; });
    RunUntil([&](int frame) {
        // A script's level change may have connected the one-shot saver
        // already; the shut-down must not fail on it.
        if (frame == 2) events::Connect<Json::Value*>("LevelUnloadFinished", "LuaSaveLevelOnUnload", OnLuaSaveLevelOnUnload);
        return frame == 2;
    });
    EXPECT_EQ(saves, 2) << "the first frame's unload, and the shut-down";
    const Json::Value saved = Parse(folder.ReadSaved("korvel_splash.json"));
    EXPECT_EQ(saved["entities"][0]["name"].asString(), "hero");
    EXPECT_EQ(Parse(folder.ReadSaved("save_file.json"))["last_level"].asString(), "korvel_splash");
    EXPECT_TRUE(engine::GetAllEntities().empty());
    EXPECT_FALSE(events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload")) << "it ran once";
}

TEST_F(FrameLoop, ShutDownInTheEditorSavesNothing) {
    RunUntil([&](int frame) {
        if (frame == 1) g_engine->requestedMode = Engine::kEditorMode;
        return frame == 2;
    });
    EXPECT_FALSE(folder.SavedExists("korvel_splash.json"));
    EXPECT_FALSE(folder.SavedExists("save_file.json"));
}

TEST_F(FrameLoop, ABrokenLevelLeavesRunWithTheReadersError) {
    folder.WriteLevel("korvel_splash", "{ not json");
    EXPECT_THROW(g_engine->Run(), std::exception);
}

}  // namespace
