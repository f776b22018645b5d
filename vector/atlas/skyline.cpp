// Skyline packing: the atlas's used area is a staircase of nodes; a new
// rectangle rests on the nodes under it and raises the skyline there.

#include <algorithm>
#include <cstring>

#include "vector/atlas/glyph_atlas.h"

namespace {

bool InsertNode(GAatlas* atlas, int idx, int x, int y, int w) {
    Growable<GAatlasNode>& nodes = atlas->nodes;
    if (nodes.count == nodes.capacity &&
        !nodes.Reallocate(nodes.capacity == 0 ? 8 : nodes.capacity * 2))
        return false;
    std::memmove(&nodes[idx + 1], &nodes[idx], sizeof(GAatlasNode) * (nodes.count - idx));
    nodes[idx] = {short(x), short(y), short(w)};
    nodes.count++;
    return true;
}

void RemoveNode(GAatlas* atlas, int idx) {
    Growable<GAatlasNode>& nodes = atlas->nodes;
    std::memmove(&nodes[idx], &nodes[idx + 1], sizeof(GAatlasNode) * (nodes.count - idx - 1));
    nodes.count--;
}

// The height at which a w-by-h rectangle starting at node i would rest, or -1.
int ga__atlasRectFits(const GAatlas* atlas, int i, int w, int h) {
    const Growable<GAatlasNode>& nodes = atlas->nodes;
    if (nodes[i].x + w > atlas->width) return -1;
    int y = nodes[i].y;
    int spaceLeft = w;
    while (spaceLeft > 0) {
        if (i == nodes.count) return -1;
        y = std::max(y, int(nodes[i].y));
        if (y + h > atlas->height) return -1;
        spaceLeft -= nodes[i].width;
        ++i;
    }
    return y;
}

bool ga__atlasAddSkylineLevel(GAatlas* atlas, int idx, int x, int y, int w, int h) {
    if (!InsertNode(atlas, idx, x, y + h, w)) return false;
    Growable<GAatlasNode>& nodes = atlas->nodes;

    // The new node covers the start of the nodes after it: cut them back.
    for (int i = idx + 1; i < nodes.count; i++) {
        int previousEnd = nodes[i - 1].x + nodes[i - 1].width;
        if (nodes[i].x >= previousEnd) break;
        int shrink = previousEnd - nodes[i].x;
        nodes[i].x = short(nodes[i].x + shrink);
        nodes[i].width = short(nodes[i].width - shrink);
        if (nodes[i].width > 0) break;
        RemoveNode(atlas, i);
        i--;
    }

    for (int i = 0; i < nodes.count - 1; i++) {
        if (nodes[i].y != nodes[i + 1].y) continue;
        nodes[i].width = short(nodes[i].width + nodes[i + 1].width);
        RemoveNode(atlas, i + 1);
        i--;
    }
    return true;
}

}  // namespace

int ga__atlasAddRect(GAatlas* atlas, int w, int h, int* rx, int* ry) {
    if (w < 1 || h < 1) return 0;
    int besti = -1, besth = 0, bestw = 0, bestx = 0, besty = 0;
    for (int i = 0; i < atlas->nodes.count; i++) {
        int y = ga__atlasRectFits(atlas, i, w, h);
        if (y == -1) continue;
        int nodeWidth = atlas->nodes[i].width;
        if (besti == -1 || y + h < besth || (y + h == besth && nodeWidth < bestw)) {
            besti = i;
            besth = y + h;
            bestw = nodeWidth;
            bestx = atlas->nodes[i].x;
            besty = y;
        }
    }
    if (besti == -1) return 0;
    if (!ga__atlasAddSkylineLevel(atlas, besti, bestx, besty, w, h)) return 0;
    *rx = bestx;
    *ry = besty;
    return 1;
}
