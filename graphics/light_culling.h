#pragma once
// Which sprites, lights and shadow casters a frame needs, as plain functions
// of the camera, the view and the entities, so that the lists can be checked
// without drawing. Lists hold handles and component pointers that are valid
// for the frame that filled them only.

#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "core/entity/entity_handle.h"

class MoonLight;
class PointLight;
class ShadowCaster;

namespace light_culling {

// How far below the view a light still counts: shadows and light reach up
// into the view from there.
constexpr float kBandBelow = 700.0f;

struct View {
    glm::vec3 camera;
    glm::vec3 corner;  // the world point of the screen's top left corner
};

struct Lists {
    std::vector<engine::entity_handle> forwardSprites;  // not environmental
    std::vector<engine::entity_handle> litSprites;      // environmental and clamped
    std::vector<engine::entity_handle> looseSprites;    // environmental, not clamped
    std::vector<MoonLight*> moonLights;
    std::vector<PointLight*> pointLights;
    // Those in view, then those outside that can throw a shadow into it.
    std::vector<ShadowCaster*> shadowCasters;
};

// Squared distance from the view's centre to a sprite of width by height
// standing on rel (its position less the camera's), 0 when it covers it.
float SpriteDistance2(glm::vec2 rel, float width, float height);

// Squared distance from the view's centre to a light reaching reach around
// rel + offset; rel.y is the entity's own. A light whose entity lies below
// the view's top and within its width counts kBandBelow units nearer in y.
// halfWidth and halfHeight are the view's (halfHeight signed: positive when
// the screen's top lies above the camera).
float LightDistance2(glm::vec2 rel, glm::vec2 offset, float reach, float halfWidth, float halfHeight);

// Empties the lists (keeping their storage) and fills them: everything whose
// distance is below the squared radius of the view's circumscribed circle,
// in entity order, and the casters outside it within reach of a shadow that
// lie on the camera's side of some visible point light.
void Cull(const View& view, const std::vector<engine::entity_handle>& entities, float moonFadeDistance,
          Lists& lists);

// Cull over every live entity, reaching each kind of component through the
// entity table's per-type lists instead of searching every entity: the same
// lists as Cull with GetAllEntities, in the same order.
void CullLevel(const View& view, float moonFadeDistance, Lists& lists);

// Cull for the camera, the level's entities and lighting values; stores the
// number of shadow casters for Graphics::GetShadowCasterCount.
void CullCurrentView(Lists& lists);

}  // namespace light_culling
