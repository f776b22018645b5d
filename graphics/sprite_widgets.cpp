#include "graphics/sprite.h"

void Sprite::EditInfoDisplay() {}
