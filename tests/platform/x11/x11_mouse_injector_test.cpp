// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "platform/x11/x11_mouse_injector.h"

namespace vx {
namespace {

TEST(X11MouseInjector, NormalisedPositionsMapBackToPixelsInsideTheScreen) {
    // {normalised, screen size, pixel}
    const int rows[][3] = {{32768, 1024, 512}, {0, 1024, 0},        {65535, 1024, 1023},
                           {-7, 1024, 0},      {1 << 30, 768, 767}, {500, 0, 0}};
    for (const auto& [n, size, pixel] : rows) EXPECT_EQ(X11MouseInjector::ToPixel(n, size), pixel);
}

}  // namespace
}  // namespace vx
