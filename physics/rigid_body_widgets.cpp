// The inspector's widgets for this component.
#include "physics/rigid_body.h"

void RigidBody::EditInfoDisplay() {}
