#include "tests/e2e/screen.h"

#include <algorithm>
#include <fstream>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

bool ScreenPicture::Red(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    // Strokes are antialiased: a one-pixel line between pixel centres shows
    // at half strength.
    return p[0] >= 100 && p[1] * 4 < p[0] && p[2] * 4 < p[0];
}

bool ScreenPicture::RedNear(int x, int y, int half) const {
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx)
            if (Red(x + dx, y + dy)) return true;
    return false;
}

bool ScreenPicture::Lit(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return p[0] + p[1] + p[2] > 0;
}

long ScreenPicture::Brightness(int x, int y, int half) const {
    long sum = 0;
    for (int py = std::max(0, y - half); py <= std::min(height - 1, y + half); ++py)
        for (int px = std::max(0, x - half); px <= std::min(width - 1, x + half); ++px)
            for (int c = 0; c < 3; ++c) sum += rgb[(static_cast<size_t>(py) * width + px) * 3 + c];
    return sum;
}

void ScreenPicture::Save(const std::string& path) const {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
}

ScreenPicture GrabScreen(const std::string& display) {
    ScreenPicture screen;
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return screen;
    const Window root = DefaultRootWindow(connection);
    XWindowAttributes attributes;
    XGetWindowAttributes(connection, root, &attributes);
    if (XImage* image = XGetImage(connection, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap)) {
        screen.width = attributes.width;
        screen.height = attributes.height;
        screen.rgb.resize(static_cast<size_t>(screen.width) * screen.height * 3);
        for (int y = 0; y < screen.height; ++y)
            for (int x = 0; x < screen.width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                uint8_t* p = &screen.rgb[(static_cast<size_t>(y) * screen.width + x) * 3];
                p[0] = static_cast<uint8_t>((pixel >> 16) & 0xff);
                p[1] = static_cast<uint8_t>((pixel >> 8) & 0xff);
                p[2] = static_cast<uint8_t>(pixel & 0xff);
            }
        XDestroyImage(image);
    }
    XCloseDisplay(connection);
    return screen;
}

bool EditorShown(const std::string& display) { return GrabScreen(display).Lit(300, 300); }
