#pragma once
// The picture on an X server's screen, read back through Xlib.

#include <cstdint>
#include <string>
#include <vector>

struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // rows top to bottom

    // Whether the pixel at (x, y) from the top left is mostly red, as the
    // editor draws the primary selection's handle.
    bool Red(int x, int y) const;
    // Whether any pixel of the square of the given half side around (x, y) is red.
    bool RedNear(int x, int y, int half) const;
    bool Lit(int x, int y) const;
    // The sum of every channel over the square of the given half side.
    long Brightness(int x, int y, int half) const;
    // Writes a binary PPM picture, for looking at a failure.
    void Save(const std::string& path) const;
};

// Whether the editor's window shows on display: in its first-use layout it
// covers (300, 300), which the tests' levels leave dark.
bool EditorShown(const std::string& display);

// The whole screen of display (for example ":12"); empty when it cannot be read.
ScreenPicture GrabScreen(const std::string& display);
