#pragma once
// Private to the back end: bank and sound files are read whole through the
// one reader of the game's data files, never opened by path elsewhere.

#include <string>

#include "platform/fmod/results.h"

namespace FMOD::detail {

// kErrFileNotFound when the file cannot be opened; kErrFileBad for a folder,
// FIFO or device (refused unread, so that none can block or run on without
// end) and for a file above the reader's size cap.
FMOD_RESULT ReadDataFile(const std::string& file, std::string& contents);

}  // namespace FMOD::detail
