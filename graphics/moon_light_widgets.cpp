#include "graphics/moon_light.h"

void MoonLight::EditInfoDisplay() {}
