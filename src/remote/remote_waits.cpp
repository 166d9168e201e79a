// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/remote_waits.h"

#include <algorithm>

namespace vx {

bool RemoteWaits::Service() {
    pump_.ProcessPendingEvents();
    if (cancelled_) return false;
    game_.Look();
    if (game_.EndedWithoutWindow()) lost_ = cancelled_ = true;
    return !cancelled_;
}

bool RemoteWaits::Poll() {
    if (!Service()) return false;
    if (input_.Pending()) return true;
    const int wake = input_.WakeHandle();
    pump_.AwaitEvents(wake < 0 ? kPollPauseMs : game_.RestMs(), wake);
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
        pump_.AwaitEvents(std::min(left, game_.RestMs()), -1);
    }
}

}  // namespace vx
