// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <set>

#include "platform/game_window.h"
#include "platform/process_launcher.h"
#include "platform/timing.h"

namespace vx {

// How long a wait may rest before it looks for the game's window again: briefly
// until it is known, then once a minute for a window the game may add.
inline constexpr std::int32_t kLookForWindowMs = 100;
inline constexpr std::int32_t kLookAgainMs = 60 * 1000;

// Which window is the game's: one mapped after the launch whose process belongs to
// the launched one's family, or else the first mapped after the launch (wine's
// virtual desktop may belong to another wine process). Each window taken for the
// game's is brought to the front once.
class GameWindowTracker {
  public:
    GameWindowTracker(GameWindows& windows, ProcessFamily& family, MillisecondClock& clock)
        : windows_(windows), family_(family), clock_(clock) {}

    // Before the launch, so that no window of the game can be taken for an old one.
    void Launching();
    void Launched(std::int64_t pid);
    // No game to look for.
    void Forget();

    // Looks at the desktop when the last look is long enough ago, or now when forced.
    void Look(bool force = false);
    bool Active() const { return active_; }
    // Zero while the game shows no window.
    WindowHandle Window() const { return window_; }
    bool HasFocus() { return window_ != 0 && windows_.HasFocus(window_); }
    // The launched process and all it started ended before a window of theirs showed.
    bool EndedWithoutWindow() const { return ended_; }
    std::int32_t RestMs() const {
        return active_ && window_ == 0 ? kLookForWindowMs : kLookAgainMs;
    }

  private:
    GameWindows& windows_;
    ProcessFamily& family_;
    MillisecondClock& clock_;
    bool active_ = false;
    bool seenWindow_ = false;
    bool ended_ = false;
    WindowHandle window_ = 0;
    std::set<WindowHandle> activated_;
    std::uint32_t lastLook_ = 0;
};

}  // namespace vx
