#pragma once
// Which monitor a window belongs to when it changes between full screen and
// a window, as a plain function of positions.

#include <vector>

#include <glm/vec2.hpp>

struct MonitorChoice {
    int index;          // into the monitor list; -1 for the primary monitor
    glm::ivec2 origin;  // that monitor's top-left corner on the desktop
};

// The monitor whose origin is the nearest one at or above-left of the
// window's top-left corner (a later monitor wins a tie), or the primary when
// none is. origins are in the window library's monitor order.
MonitorChoice ChooseMonitor(glm::ivec2 windowPosition, const std::vector<glm::ivec2>& origins,
                            glm::ivec2 primaryOrigin);
