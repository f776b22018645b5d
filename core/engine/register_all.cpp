#include "core/engine/register_all.h"

namespace components {

// Sprite, MoonLight, PointLight, ShadowCaster, RigidBody, CircleCollider,
// BoxCollider, SoundEmitter, SoundSpace and Ray register here, in that
// order, as their subsystems provide them.
void RegisterAll() {}

}  // namespace components
