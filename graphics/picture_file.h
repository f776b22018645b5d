#pragma once
// Private to the texture cache: reading one picture file, and saying why it
// cannot be used in words a level designer can act on.

#include <string>
#include <vector>

struct Picture {
    std::vector<unsigned char> rgba;  // 8-bit RGBA, rows top to bottom
    unsigned width = 0;
    unsigned height = 0;
};

struct PictureProblem {
    bool missing = false;  // no file at all, as opposed to one that is unusable
    std::string reason;    // "" when the picture was read
};

// Reads and decodes a PNG file of at most maxSide by maxSide pixels through
// the one reader of outside files.
PictureProblem ReadPicture(const std::string& file, unsigned maxSide, Picture& picture);
