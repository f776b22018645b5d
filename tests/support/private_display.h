#pragma once
// An X server of the test's own (Xvfb, one 1920 by 1080 screen), so that
// windows of tests running side by side never take each other's keyboard
// focus or keys. Stopped when the object goes.

#include <string>

#include <sys/types.h>

namespace testing_support {

class PrivateDisplay {
public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // The value for DISPLAY, for example ":7".
    const std::string& name() const { return display; }

private:
    pid_t server = -1;
    std::string display;
};

}  // namespace testing_support
