#include <gtest/gtest.h>

#include "platform/documents.h"
#include "tests/support/temp_dir.h"

using testing_support::ScopedEnv;
using testing_support::TempDir;

namespace {

class DocumentsFolderTest : public ::testing::Test {
protected:
    TempDir home;
    ScopedEnv homeEnv{"HOME", home.str()};
    ScopedEnv xdgEnv{"XDG_DOCUMENTS_DIR", std::nullopt};
};

TEST_F(DocumentsFolderTest, FallsBackToDocumentsInHome) {
    EXPECT_EQ(platform::DocumentsFolder(), home.str() + "/Documents");
}

TEST_F(DocumentsFolderTest, AnAbsoluteEnvironmentVariableWinsOverEverything) {
    home.Write(".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    const std::pair<const char*, std::string> cases[] = {
        {"/srv/docs/", "/srv/docs"},
        {"relative/docs", home.str() + "/Papers"},
        {"./docs", home.str() + "/Papers"},
        {"", home.str() + "/Papers"},
    };
    for (const auto& [variable, folder] : cases) {
        ScopedEnv docs("XDG_DOCUMENTS_DIR", variable);
        EXPECT_EQ(platform::DocumentsFolder(), folder) << variable;
    }
}

TEST_F(DocumentsFolderTest, ReadsUserDirsFileWithHomeExpansion) {
    home.Write(".config/user-dirs.dirs",
               "# written by xdg-user-dirs-update\n"
               "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
               "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n");
    EXPECT_EQ(platform::DocumentsFolder(), home.str() + "/My \"Docs\"");
}

TEST_F(DocumentsFolderTest, ReadsAbsolutePathFromUserDirsFile) {
    home.Write(".config/user-dirs.dirs", "  XDG_DOCUMENTS_DIR=\"/data/papers\"\n");
    EXPECT_EQ(platform::DocumentsFolder(), "/data/papers");
}

TEST_F(DocumentsFolderTest, IgnoresCommentedAndRelativeEntries) {
    home.Write(".config/user-dirs.dirs", "#XDG_DOCUMENTS_DIR=\"/nope\"\nXDG_DOCUMENTS_DIR=\"relative\"\n");
    EXPECT_EQ(platform::DocumentsFolder(), home.str() + "/Documents");
}

TEST_F(DocumentsFolderTest, EmptyWithoutHomeOrVariable) {
    ScopedEnv noHome("HOME", std::nullopt);
    EXPECT_EQ(platform::DocumentsFolder(), "");
}

}  // namespace
