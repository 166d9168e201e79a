// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cstdint>

namespace vx {

// The shutdown bar runs from the slowest delay at its left end to 0 at its right end.
inline constexpr int kSlowestShutdown = 3000;
inline constexpr int kShutdownArrowStep = 50;
inline constexpr int kShutdownPageStep = 500;

// Bar position (0 = left) for a delay; a delay outside 0..3000 from an edited file
// is shown at the nearer end.
inline int ShutdownBarPosition(std::int32_t delay) {
    return kSlowestShutdown - std::clamp(delay, 0, kSlowestShutdown);
}
// The delay at a bar position.
inline std::int32_t ShutdownDelayAt(int position) {
    return kSlowestShutdown - std::clamp(position, 0, kSlowestShutdown);
}

}  // namespace vx
