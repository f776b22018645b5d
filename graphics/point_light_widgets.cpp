#include "graphics/point_light.h"

void PointLight::EditInfoDisplay() {}
