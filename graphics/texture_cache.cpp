#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <epoxy/gl.h>

#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/save/quoted_name.h"
#include "graphics/graphics.h"
#include "graphics/picture_file.h"
#include "platform/files.h"

namespace {

struct CacheEntry {
    unsigned texture;
    unsigned width;
    unsigned height;
};

// Keyed by the picture file's NormalPath, so "hero" and "./hero" share one
// texture; the second map gives the name a texture was first loaded under.
std::unordered_map<std::string, CacheEntry> textureCache;
std::unordered_map<unsigned, std::string> textureNames;
// Pictures that could not be loaded, by file: a damaged file used by many
// sprites is read and decoded once, not once per sprite.
std::unordered_map<std::string, PictureProblem> failures;
// The names whose failure the console has shown: each is said once.
std::unordered_set<std::string> saidNames;

std::string FileOf(const std::string& name) { return platform::NormalPath("textures/" + name + ".png"); }

void SayOnce(const std::string& name, const std::string& what, const char* standIn) {
    if (saidNames.insert(name).second)
        DebugPrint("LoadTexture: texture " + QuotedName(name) + " " + what + "; " + standIn + " stands in");
}

unsigned Store(const std::string& file, const std::string& name, CacheEntry entry, unsigned& width,
               unsigned& height) {
    textureCache[file] = entry;
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

unsigned LargestTextureSide() {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return largest > 0 ? static_cast<unsigned>(largest) : 0;
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

unsigned Graphics::LoadTexture(const std::string& name, unsigned& width, unsigned& height, bool* loaded,
                               IfMissing ifMissing) {
    if (loaded) *loaded = false;
    if (const std::string problem = TextureNameProblem(name); !problem.empty()) {
        SayOnce(name, "refused: " + problem, "the \"debug\" texture");
        return LoadTexture("debug", width, height);
    }
    const std::string file = FileOf(name);
    if (const auto found = textureCache.find(file); found != textureCache.end()) {
        width = found->second.width;
        height = found->second.height;
        if (loaded) *loaded = true;
        return found->second.texture;
    }

    auto failed = failures.find(file);
    if (failed == failures.end()) {
        Picture picture;
        const PictureProblem problem = ReadPicture(file, LargestTextureSide(), picture);
        if (problem.reason.empty()) {
            const unsigned texture = NewTexture();
            Upload(picture.rgba, picture.width, picture.height);
            if (loaded) *loaded = true;
            return Store(file, name, {texture, picture.width, picture.height}, width, height);
        }
        failed = failures.emplace(file, problem).first;
    }
    if (file == FileOf("debug")) {
        SayOnce(name, "not loaded: " + failed->second.reason, "a built-in picture");
        return Store(file, name, BuiltInDebugTexture(), width, height);
    }
    if (!(failed->second.missing && ifMissing == IfMissing::Quiet))
        SayOnce(name, "not loaded: " + failed->second.reason, "the \"debug\" texture");
    return LoadTexture("debug", width, height);
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
    failures.clear();
    saidNames.clear();
}
