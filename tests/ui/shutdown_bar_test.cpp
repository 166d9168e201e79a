// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/shutdown_bar.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(ShutdownBar, MirrorsTheDelay) {
    EXPECT_EQ(ShutdownBarPosition(3000), 0) << "slow is the left end";
    EXPECT_EQ(ShutdownBarPosition(0), 3000) << "fast is the right end";
    EXPECT_EQ(ShutdownBarPosition(1500), 1500);
    EXPECT_EQ(ShutdownBarPosition(250), 2750);
    EXPECT_EQ(ShutdownDelayAt(0), 3000);
    EXPECT_EQ(ShutdownDelayAt(2750), 250);
    EXPECT_EQ(ShutdownDelayAt(3000), 0);
    // Delays an edited file may hold are shown at the nearer end.
    EXPECT_EQ(ShutdownBarPosition(9000), 0);
    EXPECT_EQ(ShutdownBarPosition(-20), 3000);
}

}  // namespace
}  // namespace vx
