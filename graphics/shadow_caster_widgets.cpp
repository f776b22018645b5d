#include "graphics/shadow_caster.h"

void ShadowCaster::EditInfoDisplay() {}
