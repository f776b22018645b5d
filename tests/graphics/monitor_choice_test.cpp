#include <gtest/gtest.h>

#include "graphics/monitor_choice.h"

namespace {

TEST(ChooseMonitor, TakesTheMonitorHoldingTheWindowsCorner) {
    const std::vector<glm::ivec2> sideBySide = {{0, 0}, {1920, 0}};
    const MonitorChoice left = ChooseMonitor({100, 50}, sideBySide, {0, 0});
    EXPECT_EQ(left.index, 0);
    EXPECT_EQ(left.origin, glm::ivec2(0, 0));
    const MonitorChoice right = ChooseMonitor({2000, 50}, sideBySide, {0, 0});
    EXPECT_EQ(right.index, 1);
    EXPECT_EQ(right.origin, glm::ivec2(1920, 0));
}

TEST(ChooseMonitor, ALaterMonitorAtTheSameOriginWins) {
    EXPECT_EQ(ChooseMonitor({10, 10}, {{0, 0}, {0, 0}}, {0, 0}).index, 1);
}

TEST(ChooseMonitor, MonitorsLeftOfOrAboveTheDesktopOriginCanBeChosen) {
    const std::vector<glm::ivec2> monitors = {{0, 0}, {-1920, 0}, {0, -1080}};
    const MonitorChoice left = ChooseMonitor({-1800, 50}, monitors, {0, 0});
    EXPECT_EQ(left.index, 1);
    EXPECT_EQ(left.origin, glm::ivec2(-1920, 0));
    EXPECT_EQ(ChooseMonitor({30, -1000}, monitors, {0, 0}).index, 2);
    EXPECT_EQ(ChooseMonitor({30, 40}, monitors, {0, 0}).index, 0);
}

TEST(ChooseMonitor, NoMonitorHoldingTheCornerGivesThePrimaryAtItsOrigin) {
    const MonitorChoice choice = ChooseMonitor({-50, 10}, {{1920, 0}, {0, 0}}, {1920, 0});
    EXPECT_EQ(choice.index, -1);
    EXPECT_EQ(choice.origin, glm::ivec2(1920, 0));
}

}  // namespace
