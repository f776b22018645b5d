#pragma once
#include <string>

namespace platform {

// The user's documents folder without a trailing separator, or "" when the
// environment names none. Looked up on every call, in this order:
// $XDG_DOCUMENTS_DIR, the XDG_DOCUMENTS_DIR line of
// $HOME/.config/user-dirs.dirs, then $HOME/Documents.
std::string DocumentsFolder();

}  // namespace platform
