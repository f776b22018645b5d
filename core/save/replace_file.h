#pragma once
#include <string>

// Writes contents to a temporary file beside path and renames it over path,
// so a crash or a full disk never leaves a truncated file where a good one
// was. False, with path untouched and no temporary left, when any step fails.
bool ReplaceFile(const std::string& path, const std::string& contents);
