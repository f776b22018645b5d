// The inspector's widgets for this component.
#include <glm/gtc/type_ptr.hpp>
#include <imgui.h>

#include "physics/circle_collider.h"

void CircleCollider::EditInfoDisplay() {
    ImGui::InputFloat2("Center Offset", glm::value_ptr(centerOffset));
    ImGui::Checkbox("Circle Ghost", &ghost);
    ImGui::Checkbox("Circle Static:", &isStatic);
    ImGui::InputFloat("Circle Radius", &radius);
}
