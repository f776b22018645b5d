#include "tests/e2e/window_close.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

bool RequestWindowClose(const std::string& display, const std::string& title) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return false;
    const Atom protocols = XInternAtom(connection, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(connection, "WM_DELETE_WINDOW", False);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    bool sent = false;
    if (XQueryTree(connection, DefaultRootWindow(connection), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            char* name = nullptr;
            if (!XFetchName(connection, children[i], &name) || !name) continue;
            const bool match = title == name;
            XFree(name);
            if (!match) continue;
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = children[i];
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(deleteWindow);
            event.xclient.data.l[1] = CurrentTime;
            sent = XSendEvent(connection, children[i], False, NoEventMask, &event) != 0 || sent;
        }
        if (children) XFree(children);
    }
    XFlush(connection);
    XCloseDisplay(connection);
    return sent;
}
