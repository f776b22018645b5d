// The pair tests of a step. The step tests every pair of candidates (i, j),
// i before j, in that order; a pair that cannot touch, is not listed as
// touching and has no ray would only find itself apart and raise nothing, so
// only the pairs the broad phase keeps are handed to the narrow phase, in the
// same order. Listeners of the tests' events may move, reshape, make or
// remove anything: after one has run, the bounds of the candidates still to
// come are taken again, and swept again if any of them changed.
#include <algorithm>
#include <cstring>

#include "core/entity/entity_table.h"
#include "graphics/debug_draw.h"
#include "physics/box_collider.h"
#include "physics/broad_phase.h"
#include "physics/circle_collider.h"
#include "physics/pair_list.h"
#include "physics/physics.h"

namespace {

using Parts = CollisionDetection::Parts;
using broad_phase::Bounds;

// The listed pairs of two candidates, as (earlier, later) candidate indices,
// sorted. Candidates follow the table, whose ids grow with every entity made.
// While the step runs only its own tests list and unlist pairs, each its
// own, so the pairs listed as it starts are all the rows need.
std::vector<std::pair<uint32_t, uint32_t>> ListedPairs(const std::vector<Parts>& candidates) {
    std::vector<std::pair<uint32_t, uint32_t>> listed;
    if (pair_list::Size() == 0) return listed;
    const auto indexOf = [&](const engine::entity_handle& entity) -> int64_t {
        const auto found = std::lower_bound(candidates.begin(), candidates.end(), entity.GetId(),
                                            [](const Parts& parts, uint32_t id) { return parts.entity.GetId() < id; });
        if (found == candidates.end() || found->entity.GetId() != entity.GetId()) return -1;
        return found - candidates.begin();
    };
    pair_list::ForEach([&](const engine::entity_handle& a, const engine::entity_handle& b) {
        const int64_t ia = indexOf(a), ib = indexOf(b);
        if (ia < 0 || ib < 0 || ia == ib) return;
        listed.emplace_back(static_cast<uint32_t>(std::min(ia, ib)), static_cast<uint32_t>(std::max(ia, ib)));
    });
    std::sort(listed.begin(), listed.end());
    return listed;
}

// What a candidate's bounds were taken from: its position, read through a
// pointer into the table, and its shapes' offsets and sizes.
struct Inputs {
    const glm::vec3* position = nullptr;
    const BoxCollider* box = nullptr;
    const CircleCollider* circle = nullptr;
    glm::vec2 at{0.0f, 0.0f};
    glm::vec2 boxOffset{0.0f, 0.0f}, boxWidth{0.0f, 0.0f}, boxHeight{0.0f, 0.0f};
    glm::vec2 circleOffset{0.0f, 0.0f};
    float radius = 0.0f;

    static Inputs Of(const Parts& parts, const glm::vec3* position) {
        Inputs inputs;
        inputs.position = position;
        inputs.box = parts.box;
        inputs.circle = parts.circle;
        inputs.at = {position->x, position->y};
        if (parts.box) {
            inputs.boxOffset = parts.box->centerOffset;
            inputs.boxWidth = parts.box->widthVector;
            inputs.boxHeight = parts.box->heightVector;
        }
        if (parts.circle) {
            inputs.circleOffset = parts.circle->centerOffset;
            inputs.radius = parts.circle->radius;
        }
        return inputs;
    }

    // The look after every event that ran a listener walks the candidates'
    // records in the table and their components: ask for them a few
    // candidates ahead.
    void Prefetch() const {
        if (!position) return;
        __builtin_prefetch(position);
        if (box) __builtin_prefetch(&box->centerOffset);
        if (circle) __builtin_prefetch(circle);
    }

    // Whether they are as they were; the pointers must still be good.
    // Bit for bit: the same bits give the same bounds, whatever they mean.
    bool Unchanged() const {
        bool same = Bits(*position) == Bits(at);
        if (box)
            same = same && ((Bits(box->centerOffset) ^ Bits(boxOffset)) | (Bits(box->widthVector) ^ Bits(boxWidth)) |
                            (Bits(box->heightVector) ^ Bits(boxHeight))) == 0;
        if (circle) same = same && Bits(circle->centerOffset) == Bits(circleOffset) && Bits(circle->radius) == Bits(radius);
        return same;
    }

private:
    static uint64_t Bits(glm::vec2 v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return bits;
    }
    static uint64_t Bits(const glm::vec3& v) { return Bits(glm::vec2(v.x, v.y)); }
    static uint32_t Bits(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        return bits;
    }
};

constexpr uint32_t kAhead = 8;

bool Shapeless(const Parts& parts) { return !parts.box && !parts.circle && !parts.ray; }

class CandidatePairs {
public:
    explicit CandidatePairs(std::vector<Parts>& candidates)
        : candidates(candidates),
          bounds(candidates.size()),
          inputs(candidates.size()),
          listed(ListedPairs(candidates)) {
        // Where the tests' working is drawn, every pair is tested, as it shows.
        drawing = DebugDraw::IsDrawing();
        Measure(0, true);
        Sweep(0);
    }

    // Takes the bounds of the candidates from `from` on again, where what
    // they were taken from has changed (all of them with `afresh`); whether
    // any bound has changed.
    bool Measure(uint32_t from, bool afresh = false) {
        // Without components made or removed, the components found before
        // are still there, and so is every candidate with one (removing an
        // entity removes them): only their inputs need looking at.
        const bool refind = afresh || measuredAt != component_changes::Count();
        measuredAt = component_changes::Count();
        bool changed = false;
        const uint32_t count = static_cast<uint32_t>(candidates.size());
        if (!refind && !TableMoved(from)) {
            for (uint32_t k = from; k < count; ++k) {
                if (k + kAhead < count) inputs[k + kAhead].Prefetch();
                if (inputs[k].position && !inputs[k].Unchanged()) changed = Take(k, inputs[k].position) || changed;
            }
            return changed;
        }
        for (uint32_t k = from; k < count; ++k) {
            Parts& parts = candidates[k];
            if (refind) CollisionDetection::Refresh(parts);
            if (Shapeless(parts)) {
                changed = changed || !bounds[k].nowhere;
                bounds[k] = {};
                inputs[k] = {};
                continue;
            }
            changed = Take(k, &parts.entity.GetPosition()) || changed;
        }
        return changed;
    }

    void Sweep(uint32_t from) {
        sweep.Build(bounds, from);
        everywhere.clear();
        for (uint32_t k = from; k < candidates.size(); ++k)
            if (bounds[k].everywhere) everywhere.push_back(k);
    }

    // The candidates after `after` that candidate i is tested with, ascending.
    void Row(uint32_t i, uint32_t after, std::vector<uint32_t>& row) const {
        row.clear();
        if (bounds[i].everywhere) {
            for (uint32_t k = after + 1; k < candidates.size(); ++k) row.push_back(k);
            return;
        }
        for (const uint32_t* k = sweep.PartnersBegin(i); k != sweep.PartnersEnd(i); ++k)
            if (*k > after) row.push_back(*k);
        for (uint32_t k : everywhere)
            if (k > after) row.push_back(k);
        const auto first = std::lower_bound(listed.begin(), listed.end(), std::make_pair(i, after + 1));
        for (auto pair = first; pair != listed.end() && pair->first == i; ++pair) row.push_back(pair->second);
        std::sort(row.begin(), row.end());
        row.erase(std::unique(row.begin(), row.end()), row.end());
    }

private:
    // The bounds of candidate k, which has a shape, at the position given;
    // whether they differ from those it had.
    bool Take(uint32_t k, const glm::vec3* position) {
        inputs[k] = Inputs::Of(candidates[k], position);
        const Bounds taken = drawing ? broad_phase::Everywhere() : broad_phase::Of(candidates[k]);
        const bool changed = !(taken == bounds[k]);
        bounds[k] = taken;
        return changed;
    }

    // Entities live in one array, which only making an entity can move:
    // while one record is where it was, every pointer into it is good.
    bool TableMoved(uint32_t from) const {
        for (uint32_t k = from; k < candidates.size(); ++k)
            if (inputs[k].position) return &candidates[k].entity.GetPosition() != inputs[k].position;
        return false;
    }

    std::vector<Parts>& candidates;
    std::vector<Bounds> bounds;
    std::vector<Inputs> inputs;
    uint64_t measuredAt = 0;
    const std::vector<std::pair<uint32_t, uint32_t>> listed;
    std::vector<uint32_t> everywhere;
    broad_phase::Sweep sweep;
    bool drawing = false;
};

}  // namespace

void Physics::TestCandidatePairs(std::vector<Parts>& candidates) {
    // A listener that empties the whole table (ids then start again, so old
    // handles may name new entities) ends the tests there.
    const uint32_t generation = engine::GetGeneration();
    CandidatePairs pairs(candidates);
    uint64_t measuredAt = listenersRan;
    std::vector<uint32_t> row;
    for (uint32_t i = 0; i < candidates.size() && generation == engine::GetGeneration(); ++i) {
        pairs.Row(i, i, row);
        for (size_t next = 0; next < row.size() && generation == engine::GetGeneration();) {
            const uint32_t j = row[next++];
            Parts& a = candidates[i];
            Parts& b = candidates[j];
            Refresh(a);
            Refresh(b);
            if (!ignore && a.IsStatic() && b.IsStatic()) continue;
            TestPair(a, b);
            if (listenersRan == measuredAt || generation != engine::GetGeneration()) continue;
            measuredAt = listenersRan;
            if (!pairs.Measure(i)) continue;
            pairs.Sweep(i);
            pairs.Row(i, j, row);
            next = 0;
        }
    }
}
