// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <chrono>
#include <cstdint>
#include <set>

#include "platform/game_window.h"
#include "platform/x11/x11_connection.h"

namespace vx {

// The game's window on an X11 desktop: found by its _NET_WM_PID, or else as the
// first top-level window mapped after the start, and activated through the window
// manager (_NET_ACTIVE_WINDOW, as a pager asks, which focus-stealing prevention
// lets pass) or, without one, raised and given the input focus directly.
class X11GameWindows : public GameWindows {
  public:
    X11GameWindows() = default;

    bool DisplayAvailable() override { return x_.IsOpen(); }
    void GameStarted(std::int64_t pid) override;
    void BringGameToFront() override;
    bool FocusInOwnWindow() override;
    // True once a window of the game has been activated since its start.
    bool GameActivated() const { return !activated_.empty(); }

    // The top-level client windows now: the window manager's list, or without one
    // the mapped children of the root.
    std::set<unsigned long> ClientWindows();
    void Activate(unsigned long window);
    bool WindowManagerRunning();

  private:
    long WindowPid(unsigned long window);

    X11Connection x_;
    std::int64_t pid_ = 0;
    std::set<unsigned long> before_;
    std::set<unsigned long> activated_;
    std::chrono::steady_clock::time_point nextLook_;
};

}  // namespace vx
