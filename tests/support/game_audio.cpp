#include "tests/support/game_audio.h"

namespace testing_support {

void CopyShippedAudio(const std::filesystem::path& data, const std::filesystem::path& game) {
    std::filesystem::copy(data / "audio", game / "audio", std::filesystem::copy_options::recursive);
    std::filesystem::create_directory_symlink("audio", game / "Audio");
}

}  // namespace testing_support
