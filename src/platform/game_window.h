// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <vector>

#include "platform/mouse_injector.h"

namespace vx {

// A top-level window of another program; pid 0 when it does not name its process.
struct TopLevelWindow {
    WindowHandle handle = 0;
    std::int64_t pid = 0;
    bool operator==(const TopLevelWindow&) const = default;
};

// The desktop's windows as the game remote needs them: whether there is a display
// for the game at all, the windows that appeared since the game was started, and
// where the keyboard focus and the pointer are.
class GameWindows {
  public:
    virtual ~GameWindows() = default;
    virtual bool DisplayAvailable() = 0;
    // The game is being started: the top-level windows that exist now are never
    // reported as new.
    virtual void GameStarted() = 0;
    // The top-level windows mapped since GameStarted, oldest first, this program's
    // own left out.
    virtual std::vector<TopLevelWindow> NewWindows() = 0;
    // Brings the window to the front with the keyboard focus, as far as the window
    // manager allows.
    virtual void Activate(WindowHandle window) = 0;
    // True when the keyboard focus is in the window or in one inside it.
    virtual bool HasFocus(WindowHandle window) = 0;
    // True when the window, or one inside it, is what the pointer is on: visible
    // there, not covered by another.
    virtual bool UnderPointer(WindowHandle window) = 0;
};

}  // namespace vx
