#include "core/engine/register_all.h"

#include "core/components/kept_json.h"
#include "core/components/registry.h"

namespace components {

// The order gives the ids that level files and scripts rely on: never
// reorder, only replace a KeptJson line by the type's own class.
void RegisterAll() {
    Register<KeptJson<1>>("Sprite");
    Register<KeptJson<2>>("MoonLight");
    Register<KeptJson<3>>("PointLight");
    Register<KeptJson<4>>("ShadowCaster");
    Register<KeptJson<5>>("RigidBody");
    Register<KeptJson<6>>("CircleCollider");
    Register<KeptJson<7>>("BoxCollider");
    Register<KeptJson<8>>("SoundEmitter");
    Register<KeptJson<9>>("SoundSpace");
    Register<KeptJson<10>>("Ray");
}

}  // namespace components
