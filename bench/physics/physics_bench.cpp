// One physics step over a level of 1,000 entities with colliders (more
// where more than 800 lie in view), of which the given number lie in view,
// beside the same work on plain arrays: the same culling, the same bounds
// swept along x, the same narrow-phase tests on the pairs whose bounds meet
// and the same integration, without the entity table, handles, collision
// records, the pair list or events. The difference is what the step's
// bookkeeping costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <glm/geometric.hpp>
#include <glm/vec2.hpp>
#include <json/value.h>

#include "core/engine/register_all.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"
#include "physics/broad_phase.h"
#include "physics/interval.h"
#include "physics/physics.h"
#include "physics/vec2_math.h"

namespace {

constexpr int kEntities = 1000;
constexpr int kFarOffAtLeast = 400;
const glm::ivec2 kView(498, 280);  // kept within 298 by 168 of the camera

struct Placed {
    glm::vec2 at;
    float radius;
};

// Deterministic shapes: the first inView near the camera, the rest far off.
std::vector<Placed> Layout(int inView) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> x(-240, 240), y(-130, 130), far(2000, 4000), radius(2, 8);
    std::vector<Placed> placed;
    const int entities = std::max(kEntities, inView + kFarOffAtLeast);
    for (int i = 0; i < entities; ++i)
        placed.push_back({i < inView ? glm::vec2(x(random), y(random)) : glm::vec2(far(random), far(random)),
                          radius(random)});
    return placed;
}

// Half boxes, half circles, every other one with a rigid body at rest.
bool IsCircle(int i) { return i % 2 == 1; }
bool HasBody(int i) { return i % 4 < 2; }

Physics& World() {
    static Physics* physics = nullptr;
    if (!physics) {
        components::RegisterAll();
        new DebugDraw();  // registers "DebugDraw"; kept for the program's life
        physics = new Physics();
        physics->Init();
        Camera::SetPosition({0, 0, 0});
    }
    return *physics;
}

void BuildLevel(const std::vector<Placed>& layout) {
    engine::DestroyAllEntities();
    for (int i = 0; i < static_cast<int>(layout.size()); ++i) {
        const Placed& p = layout[i];
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(p.at.x, p.at.y, 0.0f);
        Json::Value keys(Json::objectValue);
        if (IsCircle(i)) {
            keys["Circle Radius"] = p.radius;
            entity.AddComponent("CircleCollider", keys);
        } else {
            keys["Box Width"] = 2 * p.radius;
            keys["Box Height"] = 2 * p.radius;
            entity.AddComponent("BoxCollider", keys);
        }
        if (HasBody(i)) entity.AddComponent("RigidBody", Json::Value(Json::objectValue));
    }
}

// What a step's contacts come to: their number, and a sum over their
// directions and separations, which does not depend on the order found
// beyond rounding.
struct Found {
    size_t count = 0;
    double sum = 0.0;

    void Add(glm::vec2 direction, float separation) {
        ++count;
        sum += static_cast<double>(direction.x) + 2.0 * direction.y + 3.0 * separation;
    }
    bool Matches(const Found& other) const {
        return count == other.count && std::fabs(sum - other.sum) <= 1e-9 * (1.0 + std::fabs(sum));
    }
};

// The contacts one step finds, through the events each raises.
Found ContactsOfOneStep(Physics& physics) {
    Found found;
    const auto add = [&](const CollisionDetection::CollisionDataObj& c) { found.Add(c.direction, c.separation); };
    events::Connect<CollisionDetection::CollisionDataObj>("OnCollisionStarted", "count", add);
    events::Connect<CollisionDetection::CollisionDataObj>("OnCollisionPersisted", "count", add);
    physics.Step(0.0f, kView);
    events::Disconnect("OnCollisionStarted", "count");
    events::Disconnect("OnCollisionPersisted", "count");
    return found;
}

// The reference's level: each entity's shape and body, in creation order.
struct Body {
    glm::vec2 center;
    glm::vec2 half;  // a box's half width and height
    float radius;    // a circle's
    bool circle;
    bool rigid;
    glm::vec2 velocity{0.0f, 0.0f};
};

struct Contact {
    uint32_t a, b;
    glm::vec2 direction;
    glm::vec2 relativeVelocity;
    glm::vec2 contactPoint;
    float separation;
};

class PlainWorld {
public:
    explicit PlainWorld(const std::vector<Placed>& layout) {
        for (int i = 0; i < static_cast<int>(layout.size()); ++i) {
            const Placed& p = layout[i];
            bodies.push_back({p.at, glm::vec2(p.radius), p.radius, IsCircle(i), HasBody(i)});
        }
    }

    Found Step(float dt) {
        contacts.clear();
        candidates.clear();
        for (uint32_t k = 0; k < bodies.size(); ++k)
            if (!Culled(bodies[k])) candidates.push_back(k);
        bounds.clear();
        for (uint32_t k : candidates) bounds.push_back(BoundsOf(bodies[k]));
        sweep.Build(bounds, 0);
        for (uint32_t i = 0; i < candidates.size(); ++i)
            for (const uint32_t* j = sweep.PartnersBegin(i); j != sweep.PartnersEnd(i); ++j)
                Test(candidates[i], candidates[*j]);
        // Bodies at rest meet with no normal speed, so the response ends
        // there, as the step's does.
        size_t resting = 0;
        for (const Contact& contact : contacts) {
            if (!bodies[contact.a].rigid || !bodies[contact.b].rigid) continue;
            const glm::vec2 n = contact.direction / Vec2Length(contact.direction);
            resting += glm::dot(contact.relativeVelocity, n) == 0.0f;
        }
        benchmark::DoNotOptimize(resting);
        for (Body& body : bodies)
            if (body.rigid) body.center += body.velocity * dt;
        Found found;
        for (const Contact& contact : contacts) found.Add(contact.direction, contact.separation);
        return found;
    }

private:
    static bool Culled(const Body& body) {
        const glm::vec2 half = body.circle ? glm::vec2(body.radius) : body.half;
        const double halfWidth = static_cast<double>(kView.x / 2) * 1.2;
        const double halfHeight = static_cast<double>(kView.y / 2) * 1.2;
        const double cx = body.center.x, cy = body.center.y, hw = half.x, hh = half.y;
        return cx + hw < -halfWidth || cx - hw > halfWidth || cy + hh < -halfHeight || cy - hh > halfHeight;
    }

    static float Widened(float bound, float direction) {
        return bound + direction * (std::fabs(bound) * (1.0f / 65536.0f) + 1.0f / 65536.0f);
    }

    static broad_phase::Bounds BoundsOf(const Body& body) {
        const glm::vec2 half = body.circle ? glm::vec2(std::fabs(body.radius)) : body.half;
        broad_phase::Bounds bounds;
        bounds.nowhere = false;
        bounds.min = {Widened(body.center.x - half.x, -1.0f), Widened(body.center.y - half.y, -1.0f)};
        bounds.max = {Widened(body.center.x + half.x, 1.0f), Widened(body.center.y + half.y, 1.0f)};
        return bounds;
    }

    static void Corners(const Body& box, glm::vec2 out[4]) {
        const float signs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
        for (int i = 0; i < 4; ++i) out[i] = box.center + glm::vec2(signs[i][0], signs[i][1]) * box.half;
    }

    void Test(uint32_t a, uint32_t b) {
        const Body &bodyA = bodies[a], &bodyB = bodies[b];
        Contact contact{a, b, {0, 0}, {0, 0}, {0, 0}, 0.0f};
        if (bodyA.rigid && bodyB.rigid) contact.relativeVelocity = bodyB.velocity - bodyA.velocity;
        bool touching = false;
        if (!bodyA.circle && !bodyB.circle) {
            touching = BoxBox(bodyA, bodyB, contact);
        } else if (bodyA.circle && bodyB.circle) {
            touching = CircleCircle(bodyA, bodyB, contact);
        } else if (!bodyA.circle) {
            touching = BoxCircle(bodyA, bodyB, contact);
        } else {
            touching = BoxCircle(bodyB, bodyA, contact);
            contact.direction = -contact.direction;  // from the box towards the circle
        }
        if (touching) contacts.push_back(contact);
    }

    static bool CircleCircle(const Body& a, const Body& b, Contact& contact) {
        const glm::vec2 d = b.center - a.center;
        const float distance = Vec2Length(d);
        if (!(a.radius + b.radius >= distance)) return false;
        const glm::vec2 u = Vec2NormalOr(d, {1.0f, 0.0f});
        contact.direction = distance > 0.0f ? d : u;
        contact.contactPoint = (a.center + a.radius * u + b.center - b.radius * u) / 2.0f;
        contact.separation = distance - a.radius - b.radius;
        return true;
    }

    static bool BoxBox(const Body& a, const Body& b, Contact& contact) {
        glm::vec2 cornersA[4], cornersB[4];
        Corners(a, cornersA);
        Corners(b, cornersB);
        const glm::vec2 x(1.0f, 0.0f), y(0.0f, 1.0f);
        const Interval ax = ProjectPoints(cornersA, 4, x), bx = ProjectPoints(cornersB, 4, x);
        if (!Overlaps(ax, bx)) return false;
        const Interval ay = ProjectPoints(cornersA, 4, y), by = ProjectPoints(cornersB, 4, y);
        if (!Overlaps(ay, by)) return false;
        const float d1 = Vec2Distance(ax.max * x, bx.min * x), d2 = Vec2Distance(bx.max * x, ax.min * x);
        contact.direction = d1 < d2 ? -x : x;
        contact.separation = d1 < d2 ? d1 : d2;
        const float d3 = Vec2Distance(ay.max * y, by.min * y), d4 = Vec2Distance(by.max * y, ay.min * y);
        if (contact.separation > d3) contact.direction = -y, contact.separation = d3;
        if (contact.separation > d4) contact.direction = y, contact.separation = d4;
        return true;
    }

    // The normal found moves the box out of the circle.
    static bool BoxCircle(const Body& box, const Body& circle, Contact& contact) {
        glm::vec2 corners[4];
        Corners(box, corners);
        const glm::vec2 u = Vec2NormalOr(circle.center - box.center, {1.0f, 0.0f});
        const glm::vec2 axes[3] = {{1.0f, 0.0f}, {0.0f, 1.0f}, u};
        bool found = false;
        for (int i = 0; i < 3; ++i) {
            const Interval b = ProjectPoints(corners, 4, axes[i]);
            const float t = glm::dot(circle.center, axes[i]), r = std::fabs(circle.radius);
            const Interval c{t - r, t + r};
            if (!Overlaps(b, c)) return false;
            const float below = Vec2Distance(b.max * axes[i], c.min * axes[i]);
            const float above = Vec2Distance(c.max * axes[i], b.min * axes[i]);
            const float depth = std::min(below, above);
            if (found && !(depth < contact.separation)) continue;
            contact.direction = below < above || i == 2 ? -axes[i] : axes[i];
            contact.separation = depth;
            found = true;
        }
        return true;
    }

    std::vector<Body> bodies;
    std::vector<uint32_t> candidates;
    std::vector<broad_phase::Bounds> bounds;
    broad_phase::Sweep sweep;
    std::vector<Contact> contacts;
};

void BM_PhysicsStep(benchmark::State& state) {
    Physics& physics = World();
    const std::vector<Placed> layout = Layout(static_cast<int>(state.range(0)));
    BuildLevel(layout);
    const Found contacts = ContactsOfOneStep(physics);
    PlainWorld plain(layout);
    if (contacts.count == 0 || !plain.Step(0.0f).Matches(contacts)) {
        state.SkipWithError("the plain step finds other contacts than the physics step");
        return;
    }
    for (auto _ : state) physics.Step(0.0f, kView);
    state.counters["contacts"] = static_cast<double>(contacts.count);
}
BENCHMARK(BM_PhysicsStep)->Arg(100)->Arg(200)->Arg(400)->Arg(1600)->Unit(benchmark::kMicrosecond);

void BM_PhysicsStep_Reference(benchmark::State& state) {
    PlainWorld plain(Layout(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(plain.Step(0.0f).count);
}
BENCHMARK(BM_PhysicsStep_Reference)->Arg(100)->Arg(200)->Arg(400)->Arg(1600)->Unit(benchmark::kMicrosecond);

}  // namespace
