#include <filesystem>
#include <gtest/gtest.h>

#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

#include "core/diagnostics/console.h"
#include "core/diagnostics/exception.h"
#include "graphics/shader.h"
#include "tests/support/gl_context.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::TempDir;

const char* const kVertex = R"(#version 330 core
layout (location = 0) in vec3 position;
uniform mat4 view;
uniform vec2 offset;
void main() { gl_Position = view * vec4(position.xy + offset, position.z, 1.0); }
)";

const char* const kFragment = R"(#version 330 core
uniform vec4 tint;
uniform vec3 glow;
uniform float strength;
uniform int mode;
uniform uint bits;
out vec4 color;
void main() { color = tint * strength + vec4(glow, float(mode) + float(bits)); }
)";

const char* const kTrailer = "\n| -- --------------------------------------------------- -- |";

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

GLint CurrentProgram() {
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program;
}

TEST(Shader, UnreadableFileThrowsBeforeTouchingGL) {
    // No context exists here: any GL call would fail loudly.
    TempDir dir;
    dir.Write("good.frag", kFragment);
    std::filesystem::create_directory(dir.path() / "folder.vs");
    for (const auto& [vertex, fragment] : {std::pair{dir.str() + "/missing.vs", dir.str() + "/good.frag"},
                                           std::pair{dir.str() + "/good.frag", dir.str() + "/missing.frag"},
                                           std::pair{dir.str() + "/folder.vs", dir.str() + "/good.frag"}}) {
        try {
            Shader shader(vertex, fragment);
            FAIL() << "no exception for " << vertex << " + " << fragment;
        } catch (const debug::exception& error) {
            EXPECT_STREQ(error.what(), "Shader file unable to be loaded.");
        }
    }
}

TEST(Shader, BuildsAProgramWhoseSettersReachItsUniforms) {
    testing_support::GlContext context;
    TempDir dir;
    dir.Write("s.vs", kVertex);
    dir.Write("s.frag", kFragment);
    Shader shader(dir.str() + "/s.vs", dir.str() + "/s.frag");
    EXPECT_TRUE(Console::GetLines().empty());
    shader.Use();
    const GLuint program = static_cast<GLuint>(CurrentProgram());
    ASSERT_NE(program, 0u);

    const glm::mat4 view(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    shader.SetMat4("view", view);
    shader.SetVec2("offset", {0.5f, -0.25f});
    shader.SetVec3("glow", {1, 2, 3});
    shader.SetVec4("tint", {0.1f, 0.2f, 0.3f, 0.4f});
    shader.SetFloat("strength", 2.5f);
    shader.SetInt("mode", 7);
    shader.SetUint("bits", 0x80000001u);  // above INT_MAX: only an unsigned call sets it
    shader.SetFloat("no_such_uniform", 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    float values[16];
    glGetUniformfv(program, shader.GetUniformLocation("view"), values);
    EXPECT_EQ(glm::make_mat4(values), view);  // not transposed
    glGetUniformfv(program, shader.GetUniformLocation("offset"), values);
    EXPECT_EQ(glm::make_vec2(values), glm::vec2(0.5f, -0.25f));
    glGetUniformfv(program, shader.GetUniformLocation("glow"), values);
    EXPECT_EQ(glm::make_vec3(values), glm::vec3(1, 2, 3));
    glGetUniformfv(program, shader.GetUniformLocation("tint"), values);
    EXPECT_EQ(glm::make_vec4(values), glm::vec4(0.1f, 0.2f, 0.3f, 0.4f));
    glGetUniformfv(program, shader.GetUniformLocation("strength"), values);
    EXPECT_EQ(values[0], 2.5f);
    GLint mode = 0;
    glGetUniformiv(program, shader.GetUniformLocation("mode"), &mode);
    EXPECT_EQ(mode, 7);
    GLuint bits = 0;
    glGetUniformuiv(program, shader.GetUniformLocation("bits"), &bits);
    EXPECT_EQ(bits, 0x80000001u);
    EXPECT_EQ(shader.GetUniformLocation("no_such_uniform"), -1);

    shader.SetMat4At(shader.GetUniformLocation("view"), glm::mat4(2.0f));
    shader.SetVec4At(shader.GetUniformLocation("tint"), glm::vec4(9.0f));
    glGetUniformfv(program, shader.GetUniformLocation("view"), values);
    EXPECT_EQ(glm::make_mat4(values), glm::mat4(2.0f));
    glGetUniformfv(program, shader.GetUniformLocation("tint"), values);
    EXPECT_EQ(glm::make_vec4(values), glm::vec4(9.0f));
    EXPECT_TRUE(Console::GetLines().empty());
}

TEST(Shader, CompileAndLinkFailuresAreLoggedAndConstructionReturns) {
    testing_support::GlContext context;
    TempDir dir;
    dir.Write("s.vs", kVertex);
    dir.Write("broken.frag", "#version 330 core\nout vec4 color;\nvoid main() { color = vec4(1.0) }\n");
    Shader shader(dir.str() + "/s.vs", dir.str() + "/broken.frag");

    const auto& lines = Console::GetLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(StartsWith(lines[0], "Shader compilation error of type: FRAGMENT|\n")) << lines[0];
    EXPECT_TRUE(EndsWith(lines[0], kTrailer)) << lines[0];
    EXPECT_GT(lines[0].size(), std::string("Shader compilation error of type: FRAGMENT|\n").size() +
                                   std::string(kTrailer).size());
    EXPECT_TRUE(StartsWith(lines[1], "Program linking error of type: PROGRAM|\n")) << lines[1];
    EXPECT_TRUE(EndsWith(lines[1], kTrailer)) << lines[1];
}

}  // namespace
