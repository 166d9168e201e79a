// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/game_window_tracker.h"

#include <algorithm>

namespace vx {

void GameWindowTracker::Launching() {
    Forget();
    windows_.GameStarted();
}

void GameWindowTracker::Launched(std::int64_t pid) {
    family_.Follow(pid);
    active_ = true;
    lastLook_ = clock_.NowMs();
    Look(true);
}

void GameWindowTracker::Forget() {
    active_ = seenWindow_ = ended_ = false;
    window_ = 0;
    activated_.clear();
}

void GameWindowTracker::Look(bool force) {
    if (!active_ || ended_) return;
    const std::uint32_t now = clock_.NowMs();
    if (!force && static_cast<std::int32_t>(now - lastLook_) < RestMs()) return;
    lastLook_ = now;
    const std::vector<TopLevelWindow> fresh = windows_.NewWindows();
    const auto own = std::ranges::find_if(
        fresh, [this](const TopLevelWindow& w) { return w.pid != 0 && family_.Contains(w.pid); });
    window_ = own != fresh.end() ? own->handle : fresh.empty() ? 0 : fresh.front().handle;
    if (window_ == 0) {
        // Asked only while no window showed: the game may end once it has shown one.
        ended_ = !seenWindow_ && !family_.Running();
        return;
    }
    seenWindow_ = true;
    if (activated_.insert(window_).second) windows_.Activate(window_);
}

}  // namespace vx
