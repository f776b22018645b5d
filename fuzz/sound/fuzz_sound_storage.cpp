// The sound storage file from outside bytes, as start-up reads it and shut-down
// writes it back. No bank is loaded, so every cue it names is refused after its
// path is checked and kept. Nothing in the file may end the game: any
// exception escapes and is found.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "sound/sound_space.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        const auto folder = std::filesystem::temp_directory_path() / "fuzz_sound_storage";
        std::filesystem::create_directories(folder / "Audio");
        std::filesystem::current_path(folder);
        // No save folder to read first, and the refusals' lines go nowhere.
        setenv("HOME", "/nonexistent", 1);
        unsetenv("XDG_DOCUMENTS_DIR");
        return std::freopen("/dev/null", "w", stdout) != nullptr;
    }();
    (void)ready;
    std::ofstream("Audio/SoundStorage.json", std::ios::binary).write(reinterpret_cast<const char*>(data), size);
    SoundSpace::LoadCues();
    SoundSpace::SaveStorage();
    return 0;
}
