// The inspector's widgets for this component.
#include <glm/gtc/type_ptr.hpp>
#include <imgui.h>

#include "physics/rigid_body.h"

void RigidBody::EditInfoDisplay() {
    ImGui::InputFloat2("velocity", glm::value_ptr(velocity));
    ImGui::InputFloat("restitution", &restitution);
}
