#pragma once
#include <string>

namespace platform {

// Reports an error the program cannot go on from: the title and the text go
// to standard error. Returns once the report has been written.
void ShowFatalErrorBox(const std::string& title, const std::string& text);

}  // namespace platform
