#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <sys/stat.h>

#include "platform/files.h"
#include "tests/support/temp_dir.h"

using testing_support::TempDir;

namespace {

TEST(CreateDirectory, ReportsCreatedThenAlreadyExistsAndFailsWithoutParent) {
    TempDir dir;
    const std::string path = dir.str() + "/Quillmere";
    EXPECT_EQ(platform::CreateDirectory(path), platform::CreateDirectoryResult::Created);
    EXPECT_EQ(platform::CreateDirectory(path), platform::CreateDirectoryResult::AlreadyExists);
    EXPECT_EQ(platform::CreateDirectory(dir.str() + "/missing/child"), platform::CreateDirectoryResult::Failed);
    dir.Write("plain", "x");
    EXPECT_EQ(platform::CreateDirectory(dir.str() + "/plain"), platform::CreateDirectoryResult::Failed);
}

TEST(ListDirectory, ListsFilesAndFoldersWithTheirKind) {
    TempDir dir;
    dir.Write("a.json", "{}");
    dir.Write("b.lua", "");
    std::filesystem::create_directory(dir.path() / "folder.json");
    auto entries = platform::ListDirectory(dir.str());
    std::sort(entries.begin(), entries.end(), [](auto& l, auto& r) { return l.name < r.name; });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "a.json");
    EXPECT_FALSE(entries[0].isDirectory);
    EXPECT_EQ(entries[1].name, "b.lua");
    EXPECT_EQ(entries[2].name, "folder.json");
    EXPECT_TRUE(entries[2].isDirectory);
}

TEST(ListDirectory, MissingDirectoryGivesNothing) {
    EXPECT_TRUE(platform::ListDirectory("/nonexistent/quillmere").empty());
}

TEST(DeleteFile, DeletesFilesButNotFolders) {
    TempDir dir;
    dir.Write("save_file.json", "{}");
    std::filesystem::create_directory(dir.path() / "keep.json");
    EXPECT_TRUE(platform::DeleteFile(dir.str() + "/save_file.json"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "save_file.json"));
    EXPECT_FALSE(platform::DeleteFile(dir.str() + "/save_file.json"));
    EXPECT_FALSE(platform::DeleteFile(dir.str() + "/keep.json"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "keep.json"));
}

TEST(ReadRegularFile, ReadsPlainFilesOnlyAndNoneBeyondTheCap) {
    using platform::ReadFileResult;
    TempDir dir;
    dir.Write("level.json", "{}");
    std::filesystem::create_symlink(dir.path() / "level.json", dir.path() / "link.json");
    std::filesystem::create_symlink("/dev/zero", dir.path() / "zeros.json");
    std::filesystem::create_directory(dir.path() / "folder.json");
    ASSERT_EQ(mkfifo((dir.path() / "fifo.json").c_str(), 0644), 0);
    const struct {
        const char* name;
        size_t cap;
        ReadFileResult result;
        std::string contents;
    } cases[] = {
        {"level.json", platform::kMaxReadBytes, ReadFileResult::Read, "{}"},
        {"link.json", 2, ReadFileResult::Read, "{}"},
        {"level.json", 1, ReadFileResult::TooLarge, ""},
        {"missing.json", platform::kMaxReadBytes, ReadFileResult::Missing, ""},
        {"folder.json", platform::kMaxReadBytes, ReadFileResult::NotAFile, ""},
        {"fifo.json", platform::kMaxReadBytes, ReadFileResult::NotAFile, ""},  // would wait for a writer
        {"zeros.json", platform::kMaxReadBytes, ReadFileResult::NotAFile, ""},  // would never end
    };
    for (const auto& c : cases) {
        std::string contents = "left over";
        EXPECT_EQ(platform::ReadRegularFile(dir.str() + "/" + c.name, contents, c.cap), c.result) << c.name;
        EXPECT_EQ(contents, c.contents) << c.name;
    }
}


TEST(NormalPath, GivesEverySpellingOfAFileOneNameAndKeepsWhatMayDiffer) {
    const std::string game = std::filesystem::current_path().string();
    const struct {
        std::string spelt, normal;
    } cases[] = {
        {"./audio/long.flac", "audio/long.flac"},
        {"audio/././long.flac", "audio/long.flac"},
        {"audio//long.flac", "audio/long.flac"},
        {game + "/audio/./long.flac", "audio/long.flac"},
        {game, "."},
        {"./", "."},
        {"/elsewhere/./long.flac", "/elsewhere/long.flac"},
        // Through a link, b/.. need not be audio/ again.
        {"audio/b/../long.flac", "audio/b/../long.flac"},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::NormalPath(c.spelt), c.normal) << c.spelt;
}

}  // namespace
