// Level load and save of 10,000 entities beside the bare JSON read and write
// of the same file, and one frame of the loop with nothing to draw beside a
// bare poll, clear and present of the same window. Needs a display.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <GLFW/glfw3.h>
#include <json/reader.h>
#include <json/writer.h>

#include "core/components/registry.h"
#include "core/engine/engine.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "graphics/graphics.h"
#include "tests/support/game_audio.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// A component with a few saved fields, as a level's entities carry them.
class Marker : public BaseComponent<Marker> {
public:
    void Initialize() override {}
    void Remove() override {}
    Json::Value Serialize() override {
        Json::Value json(Json::objectValue);
        json["radius"] = radius;
        json["label"] = label;
        return json;
    }
    void Deserialize(Json::Value json) override {
        radius = json["radius"].asFloat();
        label = json["label"].asString();
    }
    void EditInfoDisplay() override {}

    float radius = 0.0f;
    std::string label;
};

std::string BigLevel() {
    Json::Value level(Json::objectValue);
    level["tile_map"]["tile_width"] = 16;
    level["tile_map"]["tile_height"] = 16;
    level["tile_map"]["width"] = 64;
    level["tile_map"]["height"] = 64;
    level["tile_map"]["tiles"] = std::string(64 * 64 * 2, ' ').replace(0, 1, "1");
    for (int i = 0; i < 10000; ++i) {
        Json::Value entity(Json::objectValue);
        entity["name"] = "crate " + std::to_string(i);
        entity["pos"]["x"] = i % 100 * 8.5;
        entity["pos"]["y"] = i / 100 * -4.25;
        entity["pos"]["z"] = 0.5;
        Json::Value marker(Json::objectValue);
        marker["__component_name"] = "Marker";
        marker["radius"] = 3.5;
        marker["label"] = "wood";
        entity["components"].append(marker);
        level["entities"].append(entity);
    }
    return Json::writeString(Json::StreamWriterBuilder(), level);
}

// One engine for the whole program, in a temporary game folder and HOME.
struct World {
    World() {
        const fs::path data = fs::path(QM_SOURCE_DIR) / "data";
        fs::copy(data / "shaders", game.path() / "shaders", fs::copy_options::recursive);
        fs::create_directories(game.path() / "lua");
        fs::copy(data / "lua" / "engine", game.path() / "lua" / "engine", fs::copy_options::recursive);
        testing_support::CopyShippedAudio(data, game.path());
        game.Write("levels/korvel_splash.json", R"({"entities": null})");
        game.Write("levels/big.json", BigLevel());
        fs::current_path(game.path());
        g_engine = new Engine();
        components::Register<Marker>("Marker");
    }

    testing_support::TempDir game;
    testing_support::TempDir home;
    testing_support::ScopedEnv homeEnv{"HOME", home.str()};
    testing_support::ScopedEnv documentsEnv{"XDG_DOCUMENTS_DIR", std::nullopt};
};

World& TheWorld() {
    static World world;
    return world;
}

Json::Value ReadFile(const std::string& path) {
    std::ifstream file(path);
    Json::Value document;
    file >> document;
    return document;
}

void BM_LoadLevel10k(benchmark::State& state) {
    TheWorld();
    for (auto _ : state) LoadLevel("big");
}
BENCHMARK(BM_LoadLevel10k)->Unit(benchmark::kMillisecond);

void BM_LoadLevel10k_Reference(benchmark::State& state) {
    TheWorld();
    for (auto _ : state) benchmark::DoNotOptimize(ReadFile("levels/big.json"));
}
BENCHMARK(BM_LoadLevel10k_Reference)->Unit(benchmark::kMillisecond);

void BM_SaveLevel10k(benchmark::State& state) {
    TheWorld();
    LoadLevel("big");
    for (auto _ : state) SaveLevel("copy", false);
}
BENCHMARK(BM_SaveLevel10k)->Unit(benchmark::kMillisecond);

void BM_SaveLevel10k_Reference(benchmark::State& state) {
    TheWorld();
    const Json::Value document = ReadFile("levels/big.json");
    for (auto _ : state) {
        std::ofstream file("levels/plain.json", std::ios::trunc);
        file << Json::writeString(Json::StreamWriterBuilder(), document);
    }
}
BENCHMARK(BM_SaveLevel10k_Reference)->Unit(benchmark::kMillisecond);

// Every frame of the loop is one iteration; the loop ends when the
// benchmark has enough of them.
void BM_Frame(benchmark::State& state) {
    TheWorld();
    bool focused = false;
    events::Connect<float>("PreLogicUpdate", "bench", [&](float) {
        if (!focused) glfwFocusWindow(Graphics::GetWindow());  // or the loop minimises it
        focused = true;
        if (!state.KeepRunning()) glfwSetWindowShouldClose(Graphics::GetWindow(), GLFW_TRUE);
    });
    g_engine->Run();
    events::Disconnect("PreLogicUpdate", "bench");
    glfwSetWindowShouldClose(Graphics::GetWindow(), GLFW_FALSE);
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMicrosecond);

void BM_Frame_Reference(benchmark::State& state) {
    TheWorld();
    for (auto _ : state) {
        glfwPollEvents();
        if (Graphics::BeginFrame()) Graphics::EndFrame();
    }
}
BENCHMARK(BM_Frame_Reference)->Unit(benchmark::kMicrosecond);

}  // namespace
