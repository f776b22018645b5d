#include "core/diagnostics/console.h"

#include "core/events/events.h"

namespace {

std::vector<std::string>& LineStore() {
    static std::vector<std::string> lines;
    return lines;
}

bool open = false;

}  // namespace

Console::Console() { events::Connect<int>("KeyPressed", "OpenConsole", OnKeyPressed); }

Console::~Console() { events::Disconnect("KeyPressed", "OpenConsole"); }

void Console::AddLine(std::string line) {
    auto& lines = LineStore();
    if (lines.size() >= kMaxLines) lines.erase(lines.begin(), lines.end() - (kMaxLines - 1));
    lines.push_back(std::move(line));
}

const std::vector<std::string>& Console::GetLines() { return LineStore(); }

void Console::OnKeyPressed(int key) {
    if (key == 96 || key == 126) open = !open;
}

bool Console::IsOpen() { return open; }
