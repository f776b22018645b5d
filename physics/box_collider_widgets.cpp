// The inspector's widgets for this component.
#include <glm/gtc/type_ptr.hpp>
#include <imgui.h>

#include "physics/box_collider.h"

void BoxCollider::EditInfoDisplay() {
    ImGui::InputFloat2("Center Offset", glm::value_ptr(centerOffset));
    ImGui::InputFloat("Width", &width);
    ImGui::InputFloat("Angle", &angle);
    ImGui::InputFloat("Height", &height);
    ImGui::Checkbox("ghost", &ghost);
    ImGui::Checkbox("Static:", &isStatic);
    // Edited boxes stand unrotated until they are next loaded.
    widthVector = glm::vec2(width, 0.0f);
    heightVector = glm::vec2(0.0f, height);
}
