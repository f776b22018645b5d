#include "core/engine/register_all.h"

#include "core/components/kept_json.h"
#include "core/components/registry.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"

namespace components {

// The order gives the ids that level files and scripts rely on: never
// reorder, only replace a KeptJson line by the type's own class.
void RegisterAll() {
    Register<Sprite>("Sprite");
    Register<MoonLight>("MoonLight");
    Register<PointLight>("PointLight");
    Register<ShadowCaster>("ShadowCaster");
    Register<KeptJson<5>>("RigidBody");
    Register<KeptJson<6>>("CircleCollider");
    Register<KeptJson<7>>("BoxCollider");
    Register<KeptJson<8>>("SoundEmitter");
    Register<KeptJson<9>>("SoundSpace");
    Register<KeptJson<10>>("Ray");
}

}  // namespace components
