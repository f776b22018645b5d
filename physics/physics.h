#pragma once
// The physics world the Engine owns and updates once a frame, in one step or,
// for a long frame, several. A step forgets the last step's contacts, leaves
// out colliders far outside the view, tests every remaining pair of entities
// once (the earlier-created entity as A), pushes apart and bounces the pairs
// that touch, then moves every rigid body by its velocity (semi-implicit
// Euler). No gravity, no friction, no sleeping.
// Pairs whose shapes' bounds are apart are left out of the tests, which would
// find them apart; the events and results are those of testing every pair.

#include <cstdint>
#include <optional>
#include <vector>

#include <glm/vec2.hpp>

#include "physics/collision_detection.h"

class Physics : public CollisionDetection {
public:
    // The view's size in world units; none means the view has no finite
    // size (a zoom of 0), and nothing is left out for being far away.
    using ViewSize = std::optional<glm::ivec2>;

    Physics() = default;
    ~Physics() override;
    Physics(const Physics&) = delete;
    Physics& operator=(const Physics&) = delete;

    // Registers the three collision events and draws the colliders on
    // "DebugDraw" ("DebugDraw" must be registered).
    void Init();
    // The longest time one step covers. A body moves by its velocity times
    // the step's time, so a long step could carry it past a thin collider
    // before the pair is ever tested.
    static constexpr float kLongestStep = 1.0f / 30.0f;

    // A frame of dt seconds (0 while paused: pairs are still tested,
    // reported and resolved) over the camera's letterbox: one step when dt is
    // at most kLongestStep, else the fewest equal steps no longer than it,
    // each a whole step with its own tests, events and response.
    void Update(float dt);
    // The same over a view of the given size.
    void Update(float dt, const ViewSize& view);
    // One step of dt seconds, however long, over a view of the given size.
    void Step(float dt, const ViewSize& view);
    // The letterbox in world units, as the camera shows it now.
    static ViewSize CameraView();

    // Whether the entity is left out of the pair tests: it has no collider,
    // or lies beyond 1.2 times the half view (w by h world units) around the
    // camera. An entity with a Ray is always kept.
    static bool IsCulled(const engine::entity_handle& entity, int w, int h);

    // Pushes the pair's bodies apart and exchanges an impulse along the
    // record's direction; both entities need a rigid body.
    void ResolvePair(CollisionDataObj contact);

    // In the editor, the outline of every collider.
    void DrawDebug();

    float unusedScale = 0.0f;  // 0.7 after Init; nothing reads it
    bool ignore = false;       // takes every collider as neither static nor ghost
    glm::vec2 unusedGravity{0.0f, 9.8f};
    glm::vec2 unusedVector{0.0f, 0.0f};
    float unusedStep = 0.1f;
    uint32_t unusedWords[2] = {0, 0};

protected:
    void DetectPair() override;

private:
    // IsCulled over a view that may have no finite size.
    static bool Culled(const Parts& parts, const ViewSize& view);
    // Tests the pairs of candidates in the table's order, each once.
    void TestCandidatePairs(std::vector<Parts>& candidates);

    bool debugDrawConnected = false;
};
