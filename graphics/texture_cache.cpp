#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <epoxy/gl.h>

#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/save/quoted_name.h"
#include "graphics/graphics.h"
#include "png/png.h"

namespace {

struct CacheEntry {
    unsigned texture;
    unsigned width;
    unsigned height;
};

std::unordered_map<std::string, CacheEntry> textureCache;
std::unordered_map<unsigned, std::string> textureNames;
// Names whose picture could not be loaded: a damaged file used by many
// sprites is read and decoded once, not once per sprite.
std::unordered_set<std::string> failedNames;

unsigned Store(const std::string& name, CacheEntry entry, unsigned& width, unsigned& height) {
    textureCache[name] = entry;
    textureNames[entry.texture] = name;
    width = entry.width;
    height = entry.height;
    return entry.texture;
}

void Upload(const std::vector<unsigned char>& rgba, unsigned width, unsigned height) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool FitsInTexture(unsigned width, unsigned height) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const auto limit = static_cast<unsigned>(largest);
    return width >= 1 && height >= 1 && width <= limit && height <= limit;
}

unsigned NewTexture() {
    unsigned texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // Pixel art: never smoothed, so the mipmaps are never sampled either.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

// Stands in for the "debug" picture when even that cannot be read, so the
// fallback always ends: a 2 by 2 magenta and black checker.
CacheEntry BuiltInDebugTexture() {
    const std::vector<unsigned char> rgba = {
        255, 0, 255, 255, 0, 0, 0, 255,  //
        0, 0, 0, 255, 255, 0, 255, 255,
    };
    const unsigned texture = NewTexture();
    Upload(rgba, 2, 2);
    return {texture, 2, 2};
}

}  // namespace

std::string Graphics::TextureNameProblem(const std::string& name) {
    if (name.find('\0') != std::string::npos) return "a texture name holds no NUL";
    if (name.find('\\') != std::string::npos) return "a texture name holds no backslash";
    if (name.find("..") != std::string::npos) return "a texture name holds no \"..\"";
    if (!name.empty() && name.front() == '/') return "a texture name does not start with \"/\"";
    return "";
}

unsigned Graphics::LoadTexture(const std::string& name, unsigned& width, unsigned& height, bool* loaded) {
    if (const auto found = textureCache.find(name); found != textureCache.end()) {
        width = found->second.width;
        height = found->second.height;
        if (loaded) *loaded = true;
        return found->second.texture;
    }
    if (name != "debug" && failedNames.contains(name)) {
        if (loaded) *loaded = false;
        return LoadTexture("debug", width, height);
    }
    if (const std::string problem = TextureNameProblem(name); !problem.empty()) {
        DebugPrint("LoadTexture: texture " + QuotedName(name) + " refused: " + problem +
                   "; the \"debug\" texture stands in");
        failedNames.insert(name);  // said once
        if (loaded) *loaded = false;
        return LoadTexture("debug", width, height);
    }

    const unsigned texture = NewTexture();
    std::vector<unsigned char> rgba;
    unsigned imageWidth = 0, imageHeight = 0;
    if (!LoadPngFile("textures/" + name + ".png", rgba, imageWidth, imageHeight) ||
        !FitsInTexture(imageWidth, imageHeight)) {
        glDeleteTextures(1, &texture);
        if (loaded) *loaded = false;
        if (name == "debug") return Store(name, BuiltInDebugTexture(), width, height);
        failedNames.insert(name);
        return LoadTexture("debug", width, height);
    }

    Upload(rgba, imageWidth, imageHeight);
    if (loaded) *loaded = true;
    return Store(name, {texture, imageWidth, imageHeight}, width, height);
}

std::string Graphics::GetTextureName(unsigned texture) {
    const auto found = textureNames.find(texture);
    if (found == textureNames.end())
        throw debug::exception("GetTextureName: texture " + std::to_string(texture) + " was not loaded by name");
    return found->second;
}

void Graphics::ClearTextures() {
    for (const auto& entry : textureCache) glDeleteTextures(1, &entry.second.texture);
    textureCache.clear();
    failedNames.clear();
}
