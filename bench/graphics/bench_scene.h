#pragma once
// The game's working folder with the shipped shaders and one big picture,
// and the window open on it, shared by every benchmark of the program.

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "core/components/registry.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/graphics.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
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

// The game's working folder with the shipped shaders and pictures and one
// big picture, and the window open on it, for the whole run.
struct Scene {
    Scene() {
        folder = std::filesystem::temp_directory_path() / ("quillmere-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "textures");
        std::filesystem::copy(std::filesystem::path(QM_DATA_DIR) / "shaders", folder / "shaders");
        std::filesystem::copy(std::filesystem::path(QM_DATA_DIR) / "textures", folder / "textures");
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

// The scene with the component types and events a lit level needs.
inline Scene& TheLitScene() {
    Scene& scene = TheScene();
    components::Register<Sprite>("Sprite");
    components::Register<MoonLight>("MoonLight");
    components::Register<PointLight>("PointLight");
    components::Register<ShadowCaster>("ShadowCaster");
    events::Register<engine::entity_handle>("EditorSelectedEntity");
    events::Register<>("DebugDraw");
    return scene;
}

// The bare GL work of `count` textured squares of `size` units centred on
// place(i): the forward shader with its locations looked up once, then per
// square two uniforms, the bindings and the draw.
template <typename Place>
void DrawBareQuads(unsigned texture, int count, float size, Place place) {
    Shader& shader = *graphics_state::forwardShader;
    shader.Use();
    shader.SetMat4("view", Camera::ViewMatrix(true, -1, -1));
    shader.SetInt("in_texture", 0);
    const int model = shader.GetUniformLocation("model");
    const int tint = shader.GetUniformLocation("tint");
    for (int i = 0; i < count; ++i) {
        const glm::mat4 matrix = glm::scale(glm::translate(glm::mat4(1.0f), place(i)), {size, size, 1.0f});
        glUniformMatrix4fv(model, 1, GL_FALSE, glm::value_ptr(matrix));
        glUniform4f(tint, 1.0f, 1.0f, 1.0f, 1.0f);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBindVertexArray(graphics_state::centredQuad.vao);
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    glBindVertexArray(0);
}
