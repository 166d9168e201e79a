// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "remote/shutdown_keys.h"
#include "support/scripted_desk.h"

namespace vx {
namespace {

using testing::ScriptedDesk;
using Log = std::vector<std::string>;

TEST(ShutdownKeys, QuarterDelayRoundsHalvesToEven) {
    // 12.5, 387.5, 0.5, 1.5, 1.75 and 2.5 among them
    const int rows[][2] = {{1500, 375}, {50, 12}, {1550, 388}, {3000, 750}, {0, 0},
                           {2, 0},      {6, 2},   {7, 2},      {10, 2}};
    for (const auto& [delay, quarter] : rows) EXPECT_EQ(QuarterDelay(delay), quarter) << delay;
}

TEST(ShutdownKeys, SequenceIsPacedByTheDelayAndItsQuarter) {
    struct Case {
        std::int32_t delay;
        std::int32_t first;
        std::int32_t quarter;
    };
    for (Case c : {Case{1500, 1500, 375}, Case{50, 50, 12}, Case{3000, 3000, 750}, Case{0, 0, 0},
                   Case{-400, 0, 0}}) {
        ScriptedDesk desk;
        RemoteWaits waits(desk, desk, desk, desk, desk);
        std::uint32_t start = desk.now;
        EXPECT_TRUE(SendShutdownKeys(desk, waits, c.delay));
        Log expected{"key Escape", "wait " + std::to_string(c.first), "key Escape"};
        for (const char* key : {"key Escape", "key Return", "key Return"}) {
            expected.push_back("wait " + std::to_string(c.quarter));
            expected.push_back(key);
        }
        std::erase(expected, "wait 0");
        EXPECT_EQ(desk.Events(), expected) << "delay " << c.delay;
        EXPECT_EQ(desk.now - start, static_cast<std::uint32_t>(c.first + 3 * c.quarter));
    }
}

TEST(ShutdownKeys, WaitReturnsOnlyAfterF5WentDownAndUpAgain) {
    ScriptedDesk desk;
    RemoteWaits waits(desk, desk, desk, desk, desk);
    F5Tracker f5(desk);
    desk.Start();
    desk.After(60, [](ScriptedDesk& d) { d.HoldF5(true); });
    desk.After(200, [](ScriptedDesk& d) { d.HoldF5(false); });
    std::uint32_t start = desk.now;
    EXPECT_TRUE(f5.WaitForShutdownKey(waits));
    EXPECT_EQ(desk.now - start, 200u);
    // Every poll lets the windows run and then rests instead of spinning.
    EXPECT_EQ(desk.pumps, 40);
    EXPECT_EQ(desk.log.front(), "pump");

    // A tap shorter than a poll counts as well.
    desk.After(3, [](ScriptedDesk& d) { d.HoldF5(true); });
    desk.After(4, [](ScriptedDesk& d) { d.HoldF5(false); });
    start = desk.now;
    EXPECT_TRUE(f5.WaitForShutdownKey(waits));
    EXPECT_EQ(desk.now - start, 5u);

    // F5 already up: the release wait returns without pumping.
    desk.log.clear();
    EXPECT_TRUE(f5.WaitForF5Up(waits));
    EXPECT_TRUE(desk.log.empty());
}

}  // namespace
}  // namespace vx
