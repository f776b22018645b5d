#pragma once
// The game's working folder with the shipped shaders and one big picture,
// and the window open on it, shared by every benchmark of the program.

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/events/events.h"
#include "graphics/graphics.h"
#include "tests/graphics/png_writer.h"

constexpr unsigned kSide = 1024;

inline std::vector<unsigned char> BigPicture() {
    std::vector<unsigned char> rgba(kSide * kSide * 4);
    unsigned seed = 12345;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        seed = seed * 1103515245u + 12345u;
        const size_t pixel = i / 4;
        rgba[i] = static_cast<unsigned char>(pixel % kSide / 4);
        rgba[i + 1] = static_cast<unsigned char>(pixel / kSide / 4);
        rgba[i + 2] = static_cast<unsigned char>((seed >> 16) & 0x0F);  // a little noise
        rgba[i + 3] = 255;
    }
    return rgba;
}

// The game's working folder with the shipped shaders and one big picture,
// and the window open on it, for the whole run.
struct Scene {
    Scene() {
        folder = std::filesystem::temp_directory_path() / ("quillmere-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "textures");
        std::filesystem::copy(std::filesystem::path(QM_DATA_DIR) / "shaders", folder / "shaders");
        std::ofstream(folder / "textures/big.png", std::ios::binary) << EncodePng(kSide, kSide, BigPicture());
        std::filesystem::current_path(folder);
        // The user-interface binding listens to the input events.
        for (const char* event : {"MouseButtonPressed", "KeyPressed", "KeyReleased"}) events::Register<int>(event);
        graphics = std::make_unique<Graphics>();
    }
    ~Scene() {
        graphics.reset();
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
    std::unique_ptr<Graphics> graphics;
};

inline Scene& TheScene() {
    static Scene scene;
    return scene;
}
