#include "graphics/monitor_choice.h"

MonitorChoice ChooseMonitor(glm::ivec2 windowPosition, const std::vector<glm::ivec2>& origins,
                            glm::ivec2 primaryOrigin) {
    MonitorChoice choice{-1, primaryOrigin};
    for (int i = 0; i < static_cast<int>(origins.size()); ++i) {
        const glm::ivec2 origin = origins[static_cast<size_t>(i)];
        const bool holdsCorner = windowPosition.x >= origin.x && windowPosition.y >= origin.y;
        const bool nearer = choice.index < 0 || (origin.x >= choice.origin.x && origin.y >= choice.origin.y);
        if (holdsCorner && nearer) choice = {i, origin};
    }
    return choice;
}
