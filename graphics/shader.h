#pragma once
// One linked GL program from a vertex and a fragment shader file. Setters act
// on the current program, so call Use first; a uniform name the program lacks
// is ignored. The GL program is not deleted with the object: it lives as long
// as the context.

#include <string>
#include <unordered_map>

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

class Shader {
public:
    // Throws debug::exception "Shader file unable to be loaded." when either
    // file cannot be read, before any GL object is made. Compile and link
    // errors are logged only; the program then draws nothing useful.
    Shader(const std::string& vertexPath, const std::string& fragmentPath);

    void Use();
    int GetUniformLocation(const std::string& name);

    void SetInt(const std::string& name, const int& value);
    // For uint uniforms, which SetInt cannot reach.
    void SetUint(const std::string& name, const unsigned& value);
    void SetUintAt(int location, const unsigned& value);
    void SetFloat(const std::string& name, const float& value);
    void SetVec2(const std::string& name, const glm::vec2& value);
    void SetVec3(const std::string& name, const glm::vec3& value);
    void SetVec4(const std::string& name, const glm::vec4& value);
    void SetMat4(const std::string& name, const glm::mat4& value);
    // By a location looked up before, for uniforms set in a loop.
    void SetMat4At(int location, const glm::mat4& value);
    void SetVec4At(int location, const glm::vec4& value);

private:
    static void CheckCompileErrors(unsigned object, const std::string& type);

    unsigned program = 0;
    std::unordered_map<std::string, int> locations;  // by uniform name, as linked
};
