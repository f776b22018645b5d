#pragma once
#include <string>

// Writes one diagnostic line, unchanged, to the console's line store and to
// standard output (followed by a newline, then flushed).
void DebugPrint(const std::string& text);
