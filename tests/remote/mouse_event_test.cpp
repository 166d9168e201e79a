// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/mouse_event.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/scripted_desk.h"

namespace vx {
namespace {

using Log = std::vector<std::string>;
constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
constexpr auto kMin = std::numeric_limits<std::int32_t>::min();

// Absolute moves round to even and saturate; relative ones pass unchanged. The
// screen is measured once, when the driver is made.
TEST(MouseEvent, MovesOnTheScreenTheDriverMeasured) {
    const std::tuple<ScreenSize, std::int32_t, std::int32_t, const char*> rows[] = {
        {{1024, 768}, 1024, 768, "abs 65535 65535"},
        {{1024, 768}, 1, 3, "abs 64 256"},      // 63.99 and 255.99
        {{1024, 768}, 1536, 0, "abs 98302 0"},  // 98302.5 to the even 98302
        {{640, 480}, 1, 1, "abs 102 137"},      // 102.398 and 136.531
        {{0, 0}, 512, -3, "abs 0 0"},
        {{1, 1}, kMax, kMin, "abs 2147483647 -2147483648"},
    };
    for (const auto& [screen, x, y, sent] : rows) {
        testing::ScriptedDesk desk;
        desk.screen = screen;
        CMouseEvent driver(desk, desk, desk);
        desk.screen = {800, 600};
        driver.MoveTo(x, y);
        driver.MoveTo(10, -5, false);
        EXPECT_EQ(desk.log, (Log{sent, "rel 10 -5"})) << x << " " << y;
    }
}

// A negative click delay is ignored; codes 1, 2 and 4 are the left button; a window's
// centre truncates halves towards zero, without overflow.
TEST(MouseEvent, ClicksButtonsWindowsAndWheel) {
    testing::ScriptedDesk desk;
    CMouseEvent driver(desk, desk, desk);
    EXPECT_EQ(driver.ClickDelay(), 250);
    driver.Click();
    driver.ClickDelay(-5);
    driver.ClickDelay(0);
    driver.Click();
    driver.ClickDelay(40);
    driver.ClickAbsolute(1024, 0);
    const WindowHandle big = desk.OpenWindow(0, {0, 0, 2048, 1536});
    const WindowHandle odd = desk.OpenWindow(0, {100, 50, 301, 151});
    const WindowHandle left = desk.OpenWindow(0, {-301, -151, -100, -50});
    const WindowHandle huge = desk.OpenWindow(0, {kMin, kMin, kMax, kMax});
    driver.ClickWindow(big);
    for (int code : {0, 1, 2, 3, 4, 8, -1}) {
        driver.ButtonPress(code);
        driver.ButtonRelease(code);
    }
    EXPECT_EQ(desk.log,
              (Log{"down",        "pump", "sleep 250", "up",       "down", "up",
                   "abs 65535 0", "down", "pump",      "sleep 40", "up",   "abs 65535 65535",
                   "down",        "pump", "sleep 40",  "up",       "down", "up",
                   "down",        "up",   "down",      "up"}));
    desk.log.clear();
    for (WindowHandle w : {odd, left, huge}) driver.MoveToWindow(w);
    EXPECT_EQ(desk.log, (Log{"abs 12800 8533", "abs -12864 -8619", "abs -64 -85"}));
    // Any wheel direction but +-120 becomes -120; the amount saturates, not wraps.
    const std::int64_t rows[][3] = {{1, -120, -120},  {3, 120, 360},     {2, 5, -240},
                                    {0, 120, 0},      {kMax, 120, kMax}, {kMax, -120, kMin},
                                    {kMin, 120, kMin}};
    for (const auto& [notches, direction, amount] : rows) {
        desk.log.clear();
        driver.TurnWheel(static_cast<std::int32_t>(notches), static_cast<std::int32_t>(direction));
        EXPECT_EQ(desk.log, (Log{"wheel " + std::to_string(amount)}))
            << notches << " " << direction;
    }
    driver.TurnWheel();
    EXPECT_EQ(desk.log.back(), "wheel -120");
}

}  // namespace
}  // namespace vx
