// The step hands the narrow phase only the pairs that can touch. Random
// scenes are stepped twice, once by the step and once by the plain loop over
// every pair of candidates kept here, and must give the same events (every
// field, bit for bit), the same positions, velocities and ray hits, even
// while listeners move, reshape, make and destroy entities, and while
// positions and sizes are not finite.
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <regex>
#include <sstream>

#include "core/entity/entity_table.h"
#include "core/entity/find_component.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/pair_list.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"
#include "tests/physics/physics_world.h"

namespace {

using Parts = CollisionDetection::Parts;

// The step as the table of candidates describes it: every pair, in order.
void EveryPairStep(Physics& physics, float dt, glm::ivec2 view) {
    physics.contacts.clear();
    pair_list::DropDestroyed();
    std::vector<engine::entity_handle> candidates;
    for (const engine::entity_handle& entity : engine::GetAllEntities())
        if (!Physics::IsCulled(entity, view.x, view.y)) candidates.push_back(entity);
    const uint32_t generation = engine::GetGeneration();
    for (size_t i = 0; i < candidates.size() && generation == engine::GetGeneration(); ++i) {
        for (size_t j = i + 1; j < candidates.size() && generation == engine::GetGeneration(); ++j) {
            const Parts a = Physics::Find(candidates[i]), b = Physics::Find(candidates[j]);
            if (a.IsStatic() && b.IsStatic()) continue;
            physics.TestPair(a, b);
        }
    }
    if (generation != engine::GetGeneration()) {
        physics.contacts.clear();
        return;
    }
    const std::vector<CollisionDetection::CollisionDataObj> gathered = std::move(physics.contacts);
    physics.contacts.clear();
    for (const auto& contact : gathered)
        if (!Physics::Find(contact.entityA).IsGhost() && !Physics::Find(contact.entityB).IsGhost())
            physics.ResolvePair(contact);
    for (const engine::entity_handle& entity : engine::GetAllEntities()) {
        const Parts parts = Physics::Find(entity);
        if (!parts.body || parts.IsStatic()) continue;
        parts.body->velocity += parts.body->acceleration * dt;
        const glm::vec3 position = entity.GetPosition();
        entity.SetPosition(position.x + parts.body->velocity.x * dt, position.y + parts.body->velocity.y * dt,
                           position.z);
    }
}

// Every other value bit for bit. A NaN's sign and payload are not: which
// operand a sum of two NaNs passes on is the compiler's choice, and the
// sanitizers' build chooses otherwise than the plain one.
std::string Bits(float value) {
    if (std::isnan(value)) return "nan";
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return std::to_string(bits);
}

std::string Bits(glm::vec2 v) { return Bits(v.x) + "," + Bits(v.y); }

class BroadPhase : public PhysicsWorld {
protected:
    static constexpr glm::ivec2 kView{200, 160};  // keeps within 120 by 96 of the camera

    BroadPhase() {
        Camera::SetPosition({0, 0, 0});
        for (const char* event : {"OnCollisionStarted", "OnCollisionPersisted", "OnCollisionEnded"}) {
            events::Connect<Record>(event, "Everything", [this, event](Record record) {
                stream << event << ' ' << record.entityA.GetId() << ' ' << record.entityB.GetId() << ' '
                       << Bits(record.direction) << ' ' << Bits(record.secondVector) << ' '
                       << Bits(record.relativeVelocity) << ' ' << Bits(record.contactPoint) << ' '
                       << Bits(record.separation) << ' ' << int(record.flag) << '\n';
                Meddle(record);
            });
        }
    }

    // Builds a scene from the seed: every kind of shape, some far outside
    // the view, some on top of each other, some of no size.
    void Build(uint32_t seed) {
        random.seed(seed);
        std::uniform_real_distribution<float> place(-100, 100), size(0, 30), speed(-60, 60), chance(0, 1);
        for (int i = 0; i < 70; ++i) {
            const auto entity = engine::CreateEntity();
            glm::vec2 at(place(random), place(random));
            if (chance(random) < 0.1f) at *= 3.0f;  // out of view
            if (i > 0 && chance(random) < 0.1f) at = PositionOf(engine::GetAllEntities()[i - 1]);
            entity.SetPosition(at.x, at.y, 0);
            const float shape = chance(random);
            const bool ray = chance(random) < 0.08f;
            const bool rotated = !ray && chance(random) < 0.1f;
            if (ray || rotated) entity.AddComponent("Ray", Json::Value());
            Json::Value keys(Json::objectValue);
            const float s = chance(random) < 0.1f ? 0.0f : size(random);
            if (shape < 0.45f || shape > 0.85f) {
                keys["Box Width"] = chance(random) < 0.1f ? -s : s;
                keys["Box Height"] = chance(random) < 0.1f ? 0.0f : size(random);
                keys["Box Angle"] = place(random);
                keys["Box Static"] = chance(random) < 0.15f;
                keys["Box ghost"] = chance(random) < 0.1f;
                keys["Box Center OffsetX"] = chance(random) < 0.2f ? place(random) / 10 : 0.0f;
                entity.AddComponent("BoxCollider", keys);
            }
            if (shape >= 0.45f) {
                keys = Json::Value(Json::objectValue);
                keys["Circle Radius"] = s / 2;
                keys["Circle Static"] = chance(random) < 0.15f;
                keys["Circle Ghost"] = chance(random) < 0.1f;
                entity.AddComponent("CircleCollider", keys);
            }
            if (rotated) entity.RemoveComponent("Ray");  // its box stays turned
            if (chance(random) < 0.75f) AddBody(entity, {speed(random), speed(random)}, chance(random));
            if (spoiling && chance(random) < 0.15f) Spoil(entity);
        }
    }

    // What a script can set that is not finite (0/0, a normalised zero
    // vector, a huge product), on shapes already built; a box is made static
    // first, so that its corners were made from finite values.
    void Spoil(const engine::entity_handle& entity) {
        std::uniform_int_distribution<int> pick(0, 5);
        const float value = std::array<float, 3>{NAN, INFINITY, -INFINITY}[pick(random) % 3];
        const glm::vec3 at = entity.GetPosition();
        BoxCollider* box = engine::FindComponent<BoxCollider>(entity);
        CircleCollider* circle = engine::FindComponent<CircleCollider>(entity);
        if (box) box->SetStatic(true);
        ++spoiled;
        switch (pick(random)) {
            case 0: entity.SetPosition(value, at.y, at.z); break;
            case 1: entity.SetPosition(at.x, value, at.z); break;
            case 2: if (box) box->SetWidth({value, 0.0f}); break;
            case 3: if (box) box->SetHeight({0.0f, value}); break;
            case 4: if (circle) circle->SetRadius(value); break;
            default: if (circle) circle->SetCenter({value, 0.0f}); break;
        }
    }

    static glm::vec2 PositionOf(const engine::entity_handle& entity) {
        const glm::vec3 position = entity.GetPosition();
        return {position.x, position.y};
    }

    // What listeners might do: move a shape onto another, far away or back,
    // resize or remove a collider, make things static, add entities and
    // destroy them.
    void Meddle(const Record& record) {
        if (!meddling) return;
        std::uniform_real_distribution<float> chance(0, 1), place(-100, 100);
        const float what = chance(random);
        const engine::entity_handle& target = chance(random) < 0.5f ? record.entityA : record.entityB;
        const auto& live = engine::GetAllEntities();
        const engine::entity_handle other = live[static_cast<size_t>(chance(random) * live.size()) % live.size()];
        if (!target.IsValid() || !other.IsValid()) return;
        if (what < 0.15f) {
            const glm::vec2 at = PositionOf(target);
            other.SetPosition(at.x, at.y, 0);  // later pairs now touch
        } else if (what < 0.25f) {
            target.SetPosition(place(random) * 3, place(random), 0);
        } else if (what < 0.3f) {
            if (BoxCollider* box = engine::FindComponent<BoxCollider>(other)) box->SetWidth({place(random), 0});
        } else if (what < 0.33f) {
            other.RemoveComponent(chance(random) < 0.5f ? "CircleCollider" : "BoxCollider");
        } else if (what < 0.36f) {
            Json::Value keys(Json::objectValue);
            keys["Circle Radius"] = 8.0f;
            other.AddComponent("CircleCollider", keys);
        } else if (what < 0.39f) {
            if (CircleCollider* circle = engine::FindComponent<CircleCollider>(other)) circle->SetStatic(true);
        } else if (what < 0.41f) {
            const auto made = engine::CreateEntity();
            made.CopyFrom(target);
        } else if (what < 0.44f) {
            engine::DestroyEntity(other, false);
        } else if (spoiling && what < 0.47f) {
            Spoil(other);
        }
    }

    // Everything the step leaves behind, after each step.
    void Snapshot() {
        for (const engine::entity_handle& entity : engine::GetAllEntities()) {
            stream << "at " << entity.GetId() << ' ' << Bits(PositionOf(entity));
            if (const RigidBody* body = engine::FindComponent<RigidBody>(entity)) stream << ' ' << Bits(body->velocity);
            if (const Ray* ray = engine::FindComponent<Ray>(entity)) {
                stream << " hits";
                for (const auto& hit : ray->hits) stream << ' ' << hit.GetId();
            }
            stream << '\n';
        }
    }

    // The whole run of a scene under one way of stepping.
    std::string Run(uint32_t seed, bool everyPair, bool withMeddling) {
        engine::DestroyAllEntities();
        stream.str("");
        spoiled = 0;
        Build(seed);
        meddling = withMeddling;
        for (int step = 0; step < 120; ++step) {
            if (everyPair)
                EveryPairStep(physics, 1.0f / 30.0f, kView);
            else
                physics.Step(1.0f / 30.0f, kView);
            Snapshot();
            engine::FlushPendingDestroys();
            // Keep them together so that pairs keep meeting.
            for (const auto& entity : engine::GetAllEntities())
                if (RigidBody* body = engine::FindComponent<RigidBody>(entity))
                    if (std::fabs(PositionOf(entity).x) > 110 || std::fabs(PositionOf(entity).y) > 110)
                        body->velocity = -0.3f * PositionOf(entity);
        }
        return stream.str();
    }

    std::mt19937 random;
    std::ostringstream stream;
    bool meddling = false;
    bool spoiling = false;
    int spoiled = 0;
};

size_t Count(const std::string& text, const std::string& word) {
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
    return count;
}

// Shapes and positions that are not finite are tested with everything.
TEST_F(BroadPhase, RandomScenesGiveWhatTestingEveryPairGives) {
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        spoiling = seed > 12;
        for (bool meddle : {false, true}) {
            SCOPED_TRACE("seed " + std::to_string(seed) + (meddle ? " with meddling listeners" : "") +
                         (spoiling ? " with values that are not finite" : ""));
            const std::string swept = Run(seed, false, meddle);
            const std::string everyPair = Run(seed, true, meddle);
            // The scene does what it is meant to: pairs start and end.
            ASSERT_GT(Count(everyPair, "OnCollisionStarted"), 20u);
            ASSERT_GT(Count(everyPair, "OnCollisionEnded"), 5u);
            ASSERT_TRUE(std::regex_search(everyPair, std::regex("hits [1-9]"))) << "no ray hit anything";
            ASSERT_EQ(spoiled > 0, spoiling);
            if (swept == everyPair) continue;
            size_t line = 0, at = 0;
            while (at < swept.size() && at < everyPair.size() && swept[at] == everyPair[at])
                if (swept[at++] == '\n') ++line;
            FAIL() << "the runs part at line " << line << ":\n"
                   << swept.substr(swept.rfind('\n', at) + 1, 200) << "\nagainst\n"
                   << everyPair.substr(everyPair.rfind('\n', at) + 1, 200);
        }
    }
}

}  // namespace
