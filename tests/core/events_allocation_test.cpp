// Raising and disconnecting by a literal name must not allocate: "LogicUpdate"
// and the drawing events are raised every frame. This program counts every
// allocation made through operator new.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "core/events/events.h"

namespace {
size_t allocations = 0;
}

void* operator new(size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
// Every operator new above is malloc, so free is the matching release; the
// compiler, seeing only the new-expressions, would say otherwise.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace {

template <typename F>
size_t AllocationsOf(F&& action) {
    const size_t before = allocations;
    action();
    return allocations - before;
}

TEST(EventAllocations, RaisingAndDisconnectingByLiteralAllocateNothing) {
    events::Register<float>("LogicUpdate");
    events::Register<>("DebugDraw");
    float sum = 0;
    // Ids longer than a string's inline buffer, as entity listeners' are.
    for (int i = 0; i < 10; ++i)
        events::Connect<float>("LogicUpdate", "UpdateEmitterPosition" + std::to_string(i),
                               [&](float dt) { sum += dt; });
    // The count sees the registry's own allocations.
    ASSERT_GT(AllocationsOf([] { events::Connect<>("DebugDraw", "a listener id longer than inline", [] {}); }), 0u);

    EXPECT_EQ(AllocationsOf([] { events::Call<float>("LogicUpdate", 0.5f); }), 0u);
    EXPECT_EQ(AllocationsOf([] { events::Call<>("DebugDraw"); }), 0u);
    EXPECT_FLOAT_EQ(sum, 5.0f);
    EXPECT_EQ(AllocationsOf([] { EXPECT_TRUE(events::Disconnect("LogicUpdate", "UpdateEmitterPosition3")); }), 0u);
    EXPECT_EQ(AllocationsOf([] { EXPECT_FALSE(events::Disconnect("LogicUpdate", "NoSuchListenerConnected")); }), 0u);
    sum = 0;
    events::Call<float>("LogicUpdate", 1.0f);
    EXPECT_FLOAT_EQ(sum, 9.0f);
}

TEST(EventAllocations, ACallCopiesNoListenerUnlessTheSetChangesDuringIt) {
    events::Register<>("PostDraw");
    int calls = 0;
    std::string big(200, 'x');  // a capture too large to be stored inline
    for (int i = 0; i < 5; ++i) events::Connect<>("PostDraw", "l" + std::to_string(i), [&calls, big] { ++calls; });
    EXPECT_EQ(AllocationsOf([] { events::Call<>("PostDraw"); }), 0u);
    EXPECT_EQ(calls, 5);

    // A change during the call keeps the walked set and changes a copy.
    events::Connect<>("PostDraw", "changer", [] { events::Disconnect("PostDraw", "changer"); });
    EXPECT_GT(AllocationsOf([] { events::Call<>("PostDraw"); }), 0u);
    EXPECT_EQ(calls, 10);
    EXPECT_EQ(AllocationsOf([] { events::Call<>("PostDraw"); }), 0u);
    EXPECT_EQ(calls, 15);
}

}  // namespace
