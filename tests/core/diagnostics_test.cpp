#include <gtest/gtest.h>

#include <optional>

#include "core/diagnostics/console.h"
#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/events/events.h"

namespace {

TEST(DebugPrint, WritesTheLineUnchangedToStdoutAndTheConsole) {
    ::testing::internal::CaptureStdout();
    DebugPrint("");
    DebugPrint("two\nlines %d");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "\ntwo\nlines %d\n");
    ASSERT_EQ(Console::GetLines().size(), 2u);
    EXPECT_EQ(Console::GetLines()[0], "");
    EXPECT_EQ(Console::GetLines()[1], "two\nlines %d");
}

TEST(Console, KeepsTheNewestThousandLinesInOrder) {
    for (int i = 0; i < 1500; ++i) Console::AddLine("line " + std::to_string(i));
    const auto& lines = Console::GetLines();
    ASSERT_EQ(lines.size(), 1000u);
    EXPECT_EQ(lines.front(), "line 500");
    EXPECT_EQ(lines.back(), "line 1499");
    for (size_t i = 1; i < lines.size(); ++i) ASSERT_EQ(lines[i], "line " + std::to_string(500 + i));
}

TEST(Exception, WhatIsExactlyTheMessageAlsoInACopy) {
    std::optional<debug::exception> copy;
    try {
        throw debug::exception("entity_base.Get: component doesn't exist!");
    } catch (const debug::exception& caught) {
        copy.emplace(caught);
    }
    const std::exception& asStd = *copy;
    EXPECT_STREQ(asStd.what(), "entity_base.Get: component doesn't exist!");
}

}  // namespace

namespace {

TEST(Console, GraveAccentTogglesTheWindowWhileTheConsoleLives) {
    events::Register<int>("KeyPressed");
    {
        Console console;
        EXPECT_FALSE(Console::IsOpen());
        events::Call<int>("KeyPressed", 96);
        EXPECT_TRUE(Console::IsOpen());
        events::Call<int>("KeyPressed", 65);
        EXPECT_TRUE(Console::IsOpen());
        events::Call<int>("KeyPressed", 126);
        EXPECT_FALSE(Console::IsOpen());
    }
    events::Call<int>("KeyPressed", 96);
    EXPECT_FALSE(Console::IsOpen()) << "the listener went with the console";
}

}  // namespace
