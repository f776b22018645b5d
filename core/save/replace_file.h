#pragma once
#include <string>

// Writes contents to a temporary file in the folder of path and renames it
// over path, so a crash or a full disk never leaves a truncated file where a
// good one was. A symbolic link at path is kept and the file it points at is
// replaced; an existing file keeps its permission bits. Temporary files left
// in that folder by an earlier save that was killed are removed first.
// Contents larger than the file reader takes are refused. False,
// with path untouched, no temporary left and the reason logged as one line,
// when any step fails.
bool ReplaceFile(const std::string& path, const std::string& contents);
