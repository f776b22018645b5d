#include "core/engine/register_all.h"

#include "core/components/kept_json.h"
#include "core/components/registry.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"
#include "sound/sound_emitter.h"
#include "sound/sound_space.h"

namespace components {

// The order gives the ids that level files and scripts rely on: never
// reorder, only replace a KeptJson line by the type's own class.
void RegisterAll() {
    Register<Sprite>("Sprite");
    Register<MoonLight>("MoonLight");
    Register<PointLight>("PointLight");
    Register<ShadowCaster>("ShadowCaster");
    Register<RigidBody>("RigidBody");
    Register<CircleCollider>("CircleCollider");
    Register<BoxCollider>("BoxCollider");
    Register<SoundEmitter>("SoundEmitter");
    Register<SoundSpace>("SoundSpace");
    Register<Ray>("Ray");
}

}  // namespace components
