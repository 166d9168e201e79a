// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace vx {

// The desktop's windows as the game remote needs them: whether there is a display
// for the game at all, putting the game in front once its window appears, and
// whether the keyboard focus is in one of this program's own windows.
class GameWindows {
  public:
    virtual ~GameWindows() = default;
    virtual bool DisplayAvailable() = 0;
    // The game was started as process `pid`; its window is looked for from now on.
    virtual void GameStarted(std::int64_t pid) = 0;
    // Looks for the game's window and activates it once when it has appeared.
    virtual void BringGameToFront() = 0;
    virtual bool FocusInOwnWindow() = 0;
};

}  // namespace vx
