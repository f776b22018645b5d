#pragma once
// A back end that keeps what the path renderer hands it: the order of the
// table's calls and a copy of every stroke, for tests without a GPU.

#include <string>
#include <vector>

#include "vector/backend.h"

namespace vector_testing {

struct RecordedPath {
    bool closed;
    std::vector<VDvertex> verts;
};

struct RecordedStroke {
    VDpaint paint;
    float fringe;
    float strokeWidth;
    std::vector<RecordedPath> paths;
};

struct RecordingBackend {
    std::vector<std::string> calls;
    std::vector<RecordedStroke> strokes;
    bool failCreate = false;
    bool failTexture = false;

    VDparams Params(bool edgeAntiAlias = true);
};

}  // namespace vector_testing
