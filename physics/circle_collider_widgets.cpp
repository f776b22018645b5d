// The inspector's widgets for this component.
#include "physics/circle_collider.h"

void CircleCollider::EditInfoDisplay() {}
