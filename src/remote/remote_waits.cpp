// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/remote_waits.h"

#include <algorithm>

namespace vx {

bool RemoteWaits::Service() {
    pump_.ProcessPendingEvents();
    if (cancelled_) return false;
    windows_.BringGameToFront();
    return true;
}

bool RemoteWaits::Poll() {
    if (!Service()) return false;
    input_.Await(kPollPauseMs);
    return !cancelled_;
}

std::uint32_t RemoteWaits::Due(std::uint32_t from, std::int32_t ms) {
    return from + static_cast<std::uint32_t>(std::clamp(ms, 0, kMaxReplayPauseMs));
}

bool RemoteWaits::PauseUntil(std::uint32_t due) {
    while (true) {
        if (!Service()) return false;
        // Signed, as the clock wraps: negative once the moment has passed.
        const auto left = static_cast<std::int32_t>(due - clock_.NowMs());
        if (left <= 0) return true;
        sleeper_.SleepMs(std::min(left, kPollPauseMs));
    }
}

}  // namespace vx
