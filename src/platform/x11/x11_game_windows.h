// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <set>
#include <vector>

#include "platform/game_window.h"
#include "platform/x11/x11_connection.h"

namespace vx {

// The windows of an X11 desktop, named by their _NET_WM_PID, activated through the
// window manager (_NET_ACTIVE_WINDOW, as a pager asks, which focus-stealing
// prevention lets pass) or, without one, raised and given the input focus directly.
class X11GameWindows : public GameWindows {
  public:
    X11GameWindows() = default;

    bool DisplayAvailable() override { return x_.IsOpen(); }
    void GameStarted() override;
    std::vector<TopLevelWindow> NewWindows() override;
    void Activate(WindowHandle window) override;
    bool HasFocus(WindowHandle window) override;
    bool UnderPointer(WindowHandle window) override;

    bool WindowManagerRunning();
    // The top-level client windows now: the window manager's list (in the order they
    // were mapped), or without one the mapped children of the root.
    std::vector<unsigned long> ClientWindows();

  private:
    long WindowPid(unsigned long window);

    X11Connection x_;
    std::set<unsigned long> before_;
    // Those seen since the start, in the order they were first seen.
    std::vector<unsigned long> seen_;
};

}  // namespace vx
