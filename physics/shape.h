#pragma once
#include <cstdint>

// What kind of shape a collider is; each collider holds one.
struct Shape {
    static constexpr int32_t kCircle = 0;
    static constexpr int32_t kBox = 1;

    explicit Shape(int32_t kind) : kind(kind) {}
    virtual ~Shape() = default;
    // Per-shape upkeep; plain shapes have none and nothing calls it yet.
    virtual void Refresh() {}

    int32_t kind;
};
