#pragma once
// Tests on a real Engine: its window and context on an X server of the
// test's own (so no other test's window takes its focus), its events and
// singletons, in a temporary game folder holding "korvel_splash".

#include <functional>

#include <gtest/gtest.h>
#include <json/value.h>

#include "core/engine/engine.h"
#include "tests/engine/game_folder.h"
#include "tests/support/private_display.h"
#include "tests/support/temp_dir.h"

class EngineTest : public ::testing::Test {
protected:
    EngineTest();
    ~EngineTest() override;

    // Runs frames, focusing the window after the first poll, until
    // endAfter(frame) returns true at that frame's "PreLogicUpdate"; the
    // frame is finished, then the shut-down runs. Frames count from 1.
    void RunUntil(const std::function<bool(int frame)>& endAfter);

    static Json::Value Parse(const std::string& text);

    GameFolder folder;
    testing_support::PrivateDisplay display;
    testing_support::ScopedEnv displayEnv{"DISPLAY", display.name()};
};
