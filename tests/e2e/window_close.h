#pragma once
// Asks a window to close the way a window manager's close button does: the
// WM_DELETE_WINDOW message of the window-manager protocols.

#include <string>

// Sends the request to every top-level window of display whose title is
// title; false when there is none or the display cannot be reached.
bool RequestWindowClose(const std::string& display, const std::string& title);
