#pragma once
// Opens the real game window (full screen on an X server of the test's own,
// so no other test's window covers the pixels read back) in a fresh working
// folder holding the shipped shaders and debug pictures, as the game finds
// them beside its executable.

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "core/components/registry.h"
#include "core/events/events.h"
#include "graphics/graphics.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "tests/support/private_display.h"
#include "tests/support/temp_dir.h"

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(QM_DATA_DIR) / "shaders", dir.path() / "shaders");
        for (const char* file : {"textures/debug.png", "textures/debug_nm.png", "textures/debug_sm.png"}) {
            std::filesystem::create_directories((dir.path() / file).parent_path());
            std::filesystem::copy_file(std::filesystem::path(QM_DATA_DIR) / file, dir.path() / file);
        }
        // The input events, which the user-interface binding listens to,
        // are registered before the window opens.
        for (const char* event : {"MouseButtonPressed", "KeyPressed", "KeyReleased"}) events::Register<int>(event);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        graphics = std::make_unique<Graphics>();
    }

    // The four types of this subsystem under their ids of the real game, and
    // the selection event their listeners connect to.
    static void RegisterLightingComponents() {
        components::Register<Sprite>("Sprite");
        components::Register<MoonLight>("MoonLight");
        components::Register<PointLight>("PointLight");
        components::Register<ShadowCaster>("ShadowCaster");
        events::Register<engine::entity_handle>("EditorSelectedEntity");
    }

    void TearDown() override {
        graphics.reset();
        if (!previous.empty()) std::filesystem::current_path(previous);
    }

    testing_support::PrivateDisplay display;
    testing_support::ScopedEnv displayEnv{"DISPLAY", display.name()};
    testing_support::TempDir dir;
    std::filesystem::path previous;
    std::unique_ptr<Graphics> graphics;
};
