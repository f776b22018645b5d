#pragma once
// Which of a step's candidate pairs can touch. Every narrow-phase test needs
// the two shapes to overlap along x and along y, so two entities whose
// shapes' bounds are apart along either cannot touch. The bounds are widened
// a little, so that rounding in a test never makes shapes touch whose bounds
// are apart. A ray, and a shape with a bound that is not finite, are paired
// with everything; an entity without a shape with nothing.

#include <cstdint>
#include <vector>

#include <glm/vec2.hpp>

#include "physics/collision_detection.h"

namespace broad_phase {

struct Bounds {
    glm::vec2 min{0.0f, 0.0f};
    glm::vec2 max{0.0f, 0.0f};
    bool everywhere = false;
    bool nowhere = true;

    bool operator==(const Bounds&) const = default;
};

// The bounds of the entity's box and circle where they are now.
Bounds Of(const CollisionDetection::Parts& parts);
Bounds Everywhere();

// The pairs of candidates whose bounds meet, found by sorting them on their
// lower x bound and sweeping along x.
class Sweep {
public:
    // Every pair (a, b) with from <= a < b whose bounds meet; pairs with a
    // candidate before from are forgotten.
    void Build(const std::vector<Bounds>& bounds, uint32_t from);
    // Candidate a's partners b > a, ascending; a must be at least from.
    const uint32_t* PartnersBegin(uint32_t a) const { return partners.data() + rowStart[a - from]; }
    const uint32_t* PartnersEnd(uint32_t a) const { return partners.data() + rowStart[a - from + 1]; }

private:
    uint32_t from = 0;
    std::vector<uint32_t> order;
    std::vector<uint64_t> pairs;  // a << 32 | b
    std::vector<uint32_t> partners;
    std::vector<uint32_t> rowStart;
};

}  // namespace broad_phase
