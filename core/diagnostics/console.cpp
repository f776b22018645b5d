#include "core/diagnostics/console.h"

namespace {

std::vector<std::string>& LineStore() {
    static std::vector<std::string> lines;
    return lines;
}

}  // namespace

void Console::AddLine(std::string line) {
    auto& lines = LineStore();
    if (lines.size() >= kMaxLines) lines.erase(lines.begin(), lines.end() - (kMaxLines - 1));
    lines.push_back(std::move(line));
}

const std::vector<std::string>& Console::GetLines() { return LineStore(); }
