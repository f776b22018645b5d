#pragma once
// Timing whole frames of the renderer: the processor time of the drawing
// thread's own calls, or the time until the driver has drawn them.

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include <epoxy/gl.h>

#include "graphics/graphics.h"

inline double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Frame after frame: with `drawn` false the processor time this thread spends
// in `frame` (the driver's waits for its own workers do not count), with
// `drawn` true the time until the driver has drawn it all; per frame, or per
// sprite with a divisor of the sprite count.
template <typename Frame>
void TimeFrames(benchmark::State& state, bool drawn, double divisor, Frame frame) {
    for (auto _ : state) {
        const double start = drawn ? WallSeconds() : ThreadCpuSeconds();
        frame();
        if (drawn) glFinish();
        const double took = (drawn ? WallSeconds() : ThreadCpuSeconds()) - start;
        state.SetIterationTime(took / divisor);
        if (!drawn) glFinish();
        Graphics::EndFrame();
        Graphics::BeginFrame();
    }
}
