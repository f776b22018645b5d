#include "physics/physics.h"

#include "core/engine/engine.h"
#include "core/entity/entity_table.h"
#include "core/entity/find_component.h"
#include "core/events/events.h"
#include "graphics/debug_draw.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"

Physics::~Physics() {
    if (debugDrawConnected) events::Disconnect("DebugDraw", "PhysicsDebugDraw");
}

void Physics::Init() {
    events::Register<CollisionDataObj>("OnCollisionPersisted");
    events::Register<CollisionDataObj>("OnCollisionStarted");
    events::Register<CollisionDataObj>("OnCollisionEnded");
    unusedScale = 0.7f;
    events::Connect<>("DebugDraw", "PhysicsDebugDraw", [this] { DrawDebug(); });
    debugDrawConnected = true;
}

void Physics::DrawDebug() {
    if (g_engine == nullptr || Engine::GetMode() != Engine::kEditorMode) return;
    const glm::vec4 colour = DebugDraw::GetColor();
    for (const engine::entity_handle& entity : engine::GetAllEntities()) {
        if (BoxCollider* box = engine::FindComponent<BoxCollider>(entity)) box->DrawDebug();
        if (CircleCollider* circle = engine::FindComponent<CircleCollider>(entity)) circle->DrawDebug();
    }
    DebugDraw::SetColor(colour.r, colour.g, colour.b, colour.a);
}
