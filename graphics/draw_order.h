#pragma once
// The order in which the lit pass draws its sprites, and a sort that any
// order can drive safely.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include <glm/vec3.hpp>

#include "core/entity/entity_handle.h"

// True when a sprite at a (with its y_offset) is drawn before one at b:
// larger z first, then smaller y + y_offset, then smaller x. Values within
// 0.0001 of each other count as equal.
bool DrawsBefore(glm::vec3 a, float aYOffset, glm::vec3 b, float bYOffset);

// DrawsBefore on two live entities' positions and their sprites' y_offset
// (0 for an entity without a sprite).
bool CompareDrawOrder(engine::entity_handle a, engine::entity_handle b);

// A stable merge sort. Orders that treat near values as equal are not strict
// weak orders (nor is any order once a NaN turns up), which lets the
// library's sorts run past the end of the range; this one only ever reads
// inside it, and keeps the order of items that compare equal.
template <typename T, typename Less>
void StableSort(std::vector<T>& items, Less less) {
    const std::size_t n = items.size();
    std::vector<T> merged(n);
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t low = 0; low < n; low += 2 * width) {
            const std::size_t middle = std::min(low + width, n);
            const std::size_t high = std::min(low + 2 * width, n);
            std::size_t left = low, right = middle, out = low;
            while (left < middle && right < high)
                merged[out++] = less(items[right], items[left]) ? items[right++] : items[left++];
            while (left < middle) merged[out++] = items[left++];
            while (right < high) merged[out++] = items[right++];
        }
        std::swap(items, merged);
    }
}
