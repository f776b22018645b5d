#include "platform/fatal_box.h"

#include <cstdio>

namespace platform {

void ShowFatalErrorBox(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
}

}  // namespace platform
