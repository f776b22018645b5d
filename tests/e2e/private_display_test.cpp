// The tests' X server outlives its clients coming and going, as the game and
// the short-lived xdotool do: a server that reset whenever its last client
// left would drop a client connecting meanwhile, and forget what the clients
// before it had left on it.

#include <string>

// Xlib's macros (None, Bool, Success) would break GoogleTest's headers.
#include <gtest/gtest.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "tests/support/private_display.h"

namespace {

TEST(PrivateDisplay, KeepsServingAndKeepsItsStateAsClientsComeAndGo) {
    testing_support::PrivateDisplay display;
    Display* first = XOpenDisplay(display.name().c_str());
    ASSERT_NE(first, nullptr);
    const std::string mark = "kept";
    XChangeProperty(first, DefaultRootWindow(first), XInternAtom(first, "QM_MARK", False), XA_STRING, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(mark.data()), int(mark.size()));
    XCloseDisplay(first);

    int refused = 0;
    for (int i = 0; i < 200; ++i) {
        if (Display* client = XOpenDisplay(display.name().c_str()))
            XCloseDisplay(client);
        else
            ++refused;
    }
    EXPECT_EQ(refused, 0);

    Display* last = XOpenDisplay(display.name().c_str());
    ASSERT_NE(last, nullptr);
    std::string kept;
    const Atom atom = XInternAtom(last, "QM_MARK", True);  // None once the server has reset
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (atom != None &&
        XGetWindowProperty(last, DefaultRootWindow(last), atom, 0, 16, False, XA_STRING, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        kept.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    XCloseDisplay(last);
    EXPECT_EQ(kept, mark);
}

}  // namespace
