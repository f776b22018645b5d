// The inspector's widgets for this component.
#include "physics/box_collider.h"

void BoxCollider::EditInfoDisplay() {}
