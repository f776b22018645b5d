#include "physics/physics.h"

#include "core/events/events.h"

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
