// The time each frame hands on: a stall counts as a quarter second at most,
// a level load not at all, and anything shorter exactly as it was.
#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "core/events/events.h"
#include "tests/engine/engine_fixture.h"

namespace {

using FrameTime = EngineTest;

void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// The engine reads the clock before "PreLogicUpdate", so a frame's time lies
// between clock readings the test takes in its listeners.
TEST_F(FrameTime, AStallIsCappedAndALevelLoadDoesNotCount) {
    constexpr double kLoad = 0.4, kSlack = 1e-3;
    std::map<int, double> before, afterSleep;  // by frame: at "PreLogicUpdate", after its sleep
    std::map<int, float> handed, delta;        // by frame: "LogicUpdate"'s dt, GetDeltaTime
    int frame = 0, loads = 0;
    events::Connect<float>("LogicUpdate", "times", [&](float dt) {
        handed[frame] = dt;
        delta[frame] = Engine::GetDeltaTime();
    });
    events::Connect<Json::Value*>("LevelLoad", "slow", [&](Json::Value*) {
        if (++loads == 2) Sleep(kLoad);
    });
    RunUntil([&](int now) {
        frame = now;
        before[frame] = glfwGetTime();
        if (frame == 2) Sleep(0.1);
        if (frame == 4) Sleep(0.5);
        if (frame == 5) Engine::SetLevel("korvel_splash", false);  // loaded again in frame 6
        afterSleep[frame] = glfwGetTime();
        return frame == 6;
    });
    ASSERT_EQ(loads, 2);
    ASSERT_FALSE(Engine::IsPaused());
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(handed[k], delta[k]) << "frame " << k;

    // Frame 3 ran from frame 2's clock reading (after frame 1's listeners)
    // to its own, across frame 2's sleep of 0.1 s.
    EXPECT_GE(handed[3], 0.1 - kSlack);
    EXPECT_LE(handed[3], std::min(Engine::kLongestFrame + 0.0, before[3] - before[1] + kSlack));
    // Frame 5 took over half a second.
    EXPECT_EQ(handed[5], Engine::kLongestFrame);
    // Frame 6's load slept 0.4 s; what is left is ordinary.
    EXPECT_LT(handed[6], before[6] - afterSleep[4] - kLoad + kSlack);
    EXPECT_GE(handed[6], 0.0f);
}

}  // namespace
