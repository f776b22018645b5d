#include "core/diagnostics/debug_print.h"

#include <cstdio>

#include "core/diagnostics/console.h"

void DebugPrint(const std::string& text) {
    Console::AddLine(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
