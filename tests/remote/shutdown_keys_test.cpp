// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <random>

#include "remote/remote_fixture.h"

namespace vx {
namespace {

using testing::ScriptedDesk;

TEST(ShutdownKeys, QuarterDelayRoundsHalvesToEven) {
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        const std::int32_t delay = i < 40 ? i : static_cast<std::int32_t>(random() % 10000000);
        const std::int32_t down = delay / 4, rest = delay % 4;
        const std::int32_t expected = down + (rest > 2 || (rest == 2 && down % 2 == 1) ? 1 : 0);
        EXPECT_EQ(QuarterDelay(delay), expected) << "seed case " << i << " delay " << delay;
    }
}

TEST(ShutdownKeys, SequenceIsPacedByTheDelayAndItsQuarter) {
    // {delay, first pause}: a negative delay counts as none.
    for (const auto& [delay, first] : {std::pair{1500, 1500}, {50, 50}, {0, 0}, {-400, 0}}) {
        ScriptedDesk desk;
        RemoteWaits waits(desk, desk, desk, desk, desk);
        const std::uint32_t start = desk.now;
        EXPECT_TRUE(SendShutdownKeys(desk, waits, delay));
        testing::Log expected = testing::ShutdownKeys(first);
        std::erase(expected, "wait 0");
        EXPECT_EQ(desk.Events(), expected) << "delay " << delay;
        EXPECT_EQ(desk.now - start, static_cast<std::uint32_t>(first + 3 * QuarterDelay(first)));
    }
}

TEST(ShutdownKeys, ACancelDuringAPauseSendsNoFurtherKey) {
    ScriptedDesk desk;
    RemoteWaits waits(desk, desk, desk, desk, desk);
    desk.onPump = [&] { waits.Cancel(); };
    EXPECT_FALSE(SendShutdownKeys(desk, waits, 1500));
    EXPECT_EQ(desk.WithPrefix("key"), (testing::Log{"key Escape"}));
}

TEST(ShutdownKeys, WaitReturnsOnlyAfterF5WentDownAndUpAgain) {
    ScriptedDesk desk;
    RemoteWaits waits(desk, desk, desk, desk, desk);
    F5Tracker f5(desk);
    desk.Start();
    desk.After(30, [](ScriptedDesk& d) {  // a click is no shutdown key
        d.PressLeft({1, 1});
        d.ReleaseLeft();
    });
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
