// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <limits>

#include "remote/mouse_event.h"
#include "support/scripted_desk.h"

namespace vx {
namespace {

using testing::ScriptedDesk;
using Log = std::vector<std::string>;

TEST(MouseEvent, MeasuresTheScreenAtCreationAndStartsWithDelay250) {
    ScriptedDesk desk;
    CMouseEvent driver(desk, desk, desk);
    desk.screen = {800, 600};
    EXPECT_EQ(driver.ScreenWidth(), 1024);
    EXPECT_EQ(driver.ScreenHeight(), 768);
    EXPECT_EQ(driver.ClickDelay(), 250);
    CMouseEvent renewed(desk, desk, desk);
    EXPECT_EQ(renewed.ScreenWidth(), 800);
    EXPECT_EQ(renewed.ScreenHeight(), 600);
}

TEST(MouseEvent, AbsoluteMovesNormaliseWithTiesToEvenAndRelativeOnesPassUnchanged) {
    ScriptedDesk desk;
    CMouseEvent driver(desk, desk, desk);
    driver.MoveTo(512, 0);  // 32767.5 goes to the even 32768
    driver.MoveTo(1024, 768, true);
    driver.MoveTo(0, 0, true);
    driver.MoveTo(1, 3, true);     // 63.99 and 255.99
    driver.MoveTo(1536, 0, true);  // 98302.5 goes to the even 98302, not up
    driver.MoveTo(10, -5, false);
    EXPECT_EQ(desk.log, (Log{"abs 32768 0", "abs 65535 65535", "abs 0 0", "abs 64 256",
                             "abs 98302 0", "rel 10 -5"}));

    desk.log.clear();
    desk.screen = {640, 480};
    CMouseEvent small(desk, desk, desk);
    small.MoveTo(1, 1);  // 102.398 and 136.531
    EXPECT_EQ(desk.log, (Log{"abs 102 137"}));
}

TEST(MouseEvent, MoveToWindowAimsAtTheTruncatedCentre) {
    ScriptedDesk desk;
    desk.windows[7] = {100, 50, 301, 151};
    desk.windows[8] = {-301, -151, -100, -50};  // negative halves truncate towards zero
    CMouseEvent driver(desk, desk, desk);
    driver.MoveToWindow(7);
    driver.MoveToWindow(8);
    // (200, 100) and (-201, -101) on 1024 x 768
    EXPECT_EQ(desk.log, (Log{"abs 12800 8533", "abs -12864 -8619"}));
}

TEST(MouseEvent, ClickPumpsOnceThenPausesUnlessTheDelayIsZero) {
    ScriptedDesk desk;
    CMouseEvent driver(desk, desk, desk);
    driver.Click();
    EXPECT_EQ(desk.log, (Log{"down", "pump", "sleep 250", "up"}));

    desk.log.clear();
    driver.ClickDelay(-5);
    EXPECT_EQ(driver.ClickDelay(), 250);
    driver.ClickDelay(0);
    EXPECT_EQ(driver.ClickDelay(), 0);
    driver.Click();
    EXPECT_EQ(desk.log, (Log{"down", "up"}));

    desk.log.clear();
    driver.ClickDelay(40);
    driver.ClickAbsolute(1024, 0);
    desk.windows[3] = {0, 0, 2048, 1536};
    driver.ClickWindow(3);
    EXPECT_EQ(desk.log, (Log{"abs 65535 0", "down", "pump", "sleep 40", "up", "abs 65535 65535",
                             "down", "pump", "sleep 40", "up"}));
}

TEST(MouseEvent, ButtonCodesOneTwoAndFourActOnTheLeftButtonOnly) {
    ScriptedDesk desk;
    CMouseEvent driver(desk, desk, desk);
    for (int code : {0, 3, 8, -1}) {
        driver.ButtonPress(code);
        driver.ButtonRelease(code);
    }
    EXPECT_TRUE(desk.log.empty());
    for (int code : {1, 2, 4}) {
        driver.ButtonPress(code);
        driver.ButtonRelease(code);
    }
    EXPECT_EQ(desk.log, (Log{"down", "up", "down", "up", "down", "up"}));
}

TEST(MouseEvent, WheelDefaultsAndRepairsTheDirection) {
    ScriptedDesk desk;
    CMouseEvent driver(desk, desk, desk);
    driver.TurnWheel();
    driver.TurnWheel(3, 120);
    driver.TurnWheel(2, 5);
    driver.TurnWheel(1, -120);
    driver.TurnWheel(0, 120);
    EXPECT_EQ(desk.log, (Log{"wheel -120", "wheel 360", "wheel -240", "wheel -120", "wheel 0"}));
}

TEST(MouseEvent, ArithmeticLimitsNeitherFailNorWrap) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    ScriptedDesk desk;
    CMouseEvent driver(desk, desk, desk);
    driver.TurnWheel(kMax, 120);
    driver.TurnWheel(kMax, -120);
    driver.TurnWheel(kMin, 120);
    EXPECT_EQ(desk.log, (Log{"wheel " + std::to_string(kMax), "wheel " + std::to_string(kMin),
                             "wheel " + std::to_string(kMin)}));

    desk.log.clear();
    desk.screen = {0, 0};
    CMouseEvent unmeasured(desk, desk, desk);
    unmeasured.MoveTo(512, -3);
    EXPECT_EQ(desk.log, (Log{"abs 0 0"}));

    desk.log.clear();
    desk.screen = {1, 1};
    CMouseEvent tiny(desk, desk, desk);
    tiny.MoveTo(kMax, kMin);
    EXPECT_EQ(desk.log, (Log{"abs " + std::to_string(kMax) + " " + std::to_string(kMin)}));

    desk.log.clear();
    desk.windows[1] = {kMin, kMin, kMax, kMax};
    driver.MoveToWindow(1);  // centre -1 of a rectangle spanning the whole range
    EXPECT_EQ(desk.log, (Log{"abs -64 -85"}));
}

}  // namespace
}  // namespace vx
