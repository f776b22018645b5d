// The glyph atlas: skyline packing, the white rectangle and the state stack.

#include <gtest/gtest.h>

#include <vector>

#include "vector/atlas/glyph_atlas.h"

namespace {

struct Node {
    int x, y, width;
    bool operator==(const Node&) const = default;
};

std::vector<Node> Skyline(const GAcontext* ctx) {
    std::vector<Node> nodes;
    for (int i = 0; i < ctx->atlas.nodes.count; i++) {
        const GAatlasNode& n = ctx->atlas.nodes[i];
        nodes.push_back({n.x, n.y, n.width});
    }
    return nodes;
}

class GlyphAtlas : public ::testing::Test {
protected:
    void SetUp() override {
        GAparams params{512, 512, GA_ZERO_TOPLEFT};
        ctx = gaCreateInternal(&params);
        ASSERT_NE(ctx, nullptr);
    }
    void TearDown() override { gaDeleteInternal(ctx); }

    // Position of a new rectangle, or (-1, -1) when it does not fit.
    Node Add(int w, int h) {
        int x = -1, y = -1;
        if (!ga__atlasAddRect(&ctx->atlas, w, h, &x, &y)) return {-1, -1, 0};
        return {x, y, w};
    }

    GAcontext* ctx = nullptr;
};

TEST_F(GlyphAtlas, StartsWithATwoByTwoWhiteRectangleAtTheOrigin) {
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 2, 2}, {2, 0, 510}}));
    const unsigned char* pixels = ctx->texData.items;
    EXPECT_EQ(pixels[0], 255);
    EXPECT_EQ(pixels[1], 255);
    EXPECT_EQ(pixels[512], 255);
    EXPECT_EQ(pixels[513], 255);
    EXPECT_EQ(pixels[2], 0);
    EXPECT_EQ(pixels[2 * 512], 0);
    EXPECT_EQ(ctx->dirtyRect[0], 0);
    EXPECT_EQ(ctx->dirtyRect[1], 0);
    EXPECT_EQ(ctx->dirtyRect[2], 2);
    EXPECT_EQ(ctx->dirtyRect[3], 2);

    ASSERT_EQ(ctx->nstates, 1);
    const GAstate& state = ctx->states[0];
    EXPECT_EQ(state.size, 12.0f);
    EXPECT_EQ(state.color, 0xffffffffu);
    EXPECT_EQ(state.align, 65);
    EXPECT_EQ(state.font, 0);
}

TEST_F(GlyphAtlas, RectanglesThatDoNotFitChangeNothing) {
    EXPECT_EQ(Add(600, 4), (Node{-1, -1, 0}));
    EXPECT_EQ(Add(4, 600), (Node{-1, -1, 0}));
    EXPECT_EQ(Add(0, 4), (Node{-1, -1, 0}));
    EXPECT_EQ(Add(4, -1), (Node{-1, -1, 0}));
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 2, 2}, {2, 0, 510}}));
}

TEST_F(GlyphAtlas, PacksBottomLeftCuttingBackAndMergingNodes) {
    EXPECT_EQ(Add(10, 10), (Node{2, 0, 10}));  // lower than on the white rectangle
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 2, 2}, {2, 10, 10}, {12, 0, 500}}));
    // Covers the whole of the last node, which goes.
    EXPECT_EQ(Add(500, 4), (Node{12, 0, 500}));
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 2, 2}, {2, 10, 10}, {12, 4, 500}}));
    // Covers the start of a node, which is cut back.
    EXPECT_EQ(Add(12, 8), (Node{12, 4, 12}));
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 2, 2}, {2, 10, 10}, {12, 12, 12}, {24, 4, 488}}));
    // Levels the first node with its neighbour: the two merge.
    EXPECT_EQ(Add(2, 8), (Node{0, 2, 2}));
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 10, 12}, {12, 12, 12}, {24, 4, 488}}));
}

TEST_F(GlyphAtlas, TiesOnTheTopEdgeGoToTheNarrowerNode) {
    EXPECT_EQ(Add(300, 2), (Node{2, 0, 300}));
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 2, 302}, {302, 0, 210}}));
    Add(100, 4);
    Add(110, 2);
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 2, 302}, {302, 4, 100}, {402, 2, 110}}));
    // Top edge 5 at x 0 (on 302 pixels) and at x 402 (on 110).
    EXPECT_EQ(Add(50, 3), (Node{402, 2, 50}));
}

TEST_F(GlyphAtlas, ARectangleReachingTheBottomEdgeOverTheWholeWidthFits) {
    // Rests on the highest of the nodes under it, and replaces them all.
    EXPECT_EQ(Add(512, 10), (Node{0, 2, 512}));
    EXPECT_EQ(Skyline(ctx), (std::vector<Node>{{0, 12, 512}}));
    EXPECT_EQ(Add(512, 500), (Node{0, 12, 512}));
    EXPECT_EQ(Add(1, 1), (Node{-1, -1, 0}));
}

TEST_F(GlyphAtlas, TheTwentyFirstStateOverflows) {
    std::vector<int> errors;
    gaSetErrorCallback(
        ctx, [](void* uptr, int error) { static_cast<std::vector<int>*>(uptr)->push_back(error); }, &errors);
    ctx->states[0].size = 30.0f;
    for (int i = 1; i < GA_MAX_STATES; i++) gaPushState(ctx);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(ctx->nstates, 20);
    EXPECT_EQ(ctx->states[19].size, 30.0f);  // each push copies the top

    gaPushState(ctx);
    EXPECT_EQ(errors, (std::vector<int>{GA_STATES_OVERFLOW}));
    EXPECT_EQ(errors[0], 3);
    EXPECT_EQ(ctx->nstates, 20);

    gaClearState(ctx);
    EXPECT_EQ(ctx->states[19].size, 12.0f);
    EXPECT_EQ(ctx->states[18].size, 30.0f);
}

TEST(GlyphAtlasCreation, RejectsSizesTheSkylineCannotHold) {
    for (GAparams params : {GAparams{0, 512, 0}, GAparams{512, -1, 0}, GAparams{40000, 512, 0}})
        EXPECT_EQ(gaCreateInternal(&params), nullptr);
    gaDeleteInternal(nullptr);
}

}  // namespace
