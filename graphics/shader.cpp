#include "graphics/shader.h"


#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "platform/files.h"

namespace {

// A folder would open and read as an empty source; only a file will do.
std::string ReadWholeFile(const std::string& path) {
    std::string text;
    if (platform::ReadRegularFile(path, text) != platform::ReadFileResult::Read)
        throw debug::exception("Shader file unable to be loaded.");
    return text;
}

unsigned CompileStage(GLenum stage, const std::string& source) {
    const unsigned shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}

const char* const kLogTrailer = "\n| -- --------------------------------------------------- -- |";

}  // namespace

Shader::Shader(const std::string& vertexPath, const std::string& fragmentPath) {
    const std::string vertexSource = ReadWholeFile(vertexPath);
    const std::string fragmentSource = ReadWholeFile(fragmentPath);

    const unsigned vertex = CompileStage(GL_VERTEX_SHADER, vertexSource);
    CheckCompileErrors(vertex, "VERTEX");
    const unsigned fragment = CompileStage(GL_FRAGMENT_SHADER, fragmentSource);
    CheckCompileErrors(fragment, "FRAGMENT");

    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    CheckCompileErrors(program, "PROGRAM");

    glDeleteShader(vertex);
    glDeleteShader(fragment);
}

void Shader::CheckCompileErrors(unsigned object, const std::string& type) {
    GLint success = 0;
    char log[1024] = {};
    if (type != "PROGRAM") {
        glGetShaderiv(object, GL_COMPILE_STATUS, &success);
        if (success) return;
        glGetShaderInfoLog(object, sizeof log, nullptr, log);
        DebugPrint("Shader compilation error of type: " + type + "|\n" + log + kLogTrailer);
    } else {
        glGetProgramiv(object, GL_LINK_STATUS, &success);
        if (success) return;
        glGetProgramInfoLog(object, sizeof log, nullptr, log);
        DebugPrint("Program linking error of type: " + type + "|\n" + log + kLogTrailer);
    }
}

void Shader::Use() { glUseProgram(program); }

// Locations cannot change once the program is linked, and asking GL for one
// by name costs far more than a draw's uniforms: each is asked once.
int Shader::GetUniformLocation(const std::string& name) {
    const auto found = locations.find(name);
    if (found != locations.end()) return found->second;
    const int location = glGetUniformLocation(program, name.c_str());
    locations.emplace(name, location);
    return location;
}

void Shader::SetInt(const std::string& name, const int& value) { glUniform1i(GetUniformLocation(name), value); }

void Shader::SetUint(const std::string& name, const unsigned& value) { SetUintAt(GetUniformLocation(name), value); }

void Shader::SetUintAt(int location, const unsigned& value) { glUniform1ui(location, value); }

void Shader::SetFloat(const std::string& name, const float& value) {
    glUniform1f(GetUniformLocation(name), value);
}

void Shader::SetVec2(const std::string& name, const glm::vec2& value) {
    glUniform2fv(GetUniformLocation(name), 1, glm::value_ptr(value));
}

void Shader::SetVec3(const std::string& name, const glm::vec3& value) {
    glUniform3fv(GetUniformLocation(name), 1, glm::value_ptr(value));
}

void Shader::SetVec4(const std::string& name, const glm::vec4& value) { SetVec4At(GetUniformLocation(name), value); }

void Shader::SetMat4(const std::string& name, const glm::mat4& value) { SetMat4At(GetUniformLocation(name), value); }

void Shader::SetMat4At(int location, const glm::mat4& value) {
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(value));
}

void Shader::SetVec4At(int location, const glm::vec4& value) {
    glUniform4fv(location, 1, glm::value_ptr(value));
}
