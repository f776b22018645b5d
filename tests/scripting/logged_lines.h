#pragma once
// The diagnostic lines an action writes.

#include <string>
#include <vector>

#include "core/diagnostics/console.h"

template <typename Action>
std::vector<std::string> LoggedBy(Action&& action) {
    const size_t before = Console::GetLines().size();
    action();
    const auto& lines = Console::GetLines();
    return std::vector<std::string>(lines.begin() + before, lines.end());
}
