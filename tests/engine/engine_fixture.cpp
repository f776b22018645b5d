#include "tests/engine/engine_fixture.h"

#include <sstream>

#include <GLFW/glfw3.h>
#include <json/reader.h>

#include "core/events/events.h"
#include "graphics/graphics.h"

EngineTest::EngineTest() {
    folder.WriteLevel("korvel_splash", kSmallLevel);
    g_engine = new Engine();
}

EngineTest::~EngineTest() {
    delete g_engine;
    g_engine = nullptr;
}

void EngineTest::RunUntil(const std::function<bool(int frame)>& endAfter) {
    int frame = 0;
    events::Connect<float>("PreLogicUpdate", "TestFrames", [&](float) {
        if (++frame == 1) glfwFocusWindow(Graphics::GetWindow());
        if (endAfter(frame)) glfwSetWindowShouldClose(Graphics::GetWindow(), GLFW_TRUE);
    });
    g_engine->Run();
    events::Disconnect("PreLogicUpdate", "TestFrames");
}

Json::Value EngineTest::Parse(const std::string& text) {
    std::istringstream in(text);
    Json::Value value;
    in >> value;
    return value;
}
