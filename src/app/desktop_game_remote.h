// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>

#include "platform/beeper.h"
#include "platform/message_box.h"
#include "remote/game_remote.h"

namespace vx {

// The game remote of the X11 desktop named by DISPLAY. Without a reachable X server
// it still works: it measures a 0 x 0 screen, injects nothing and reports every
// launch as failed, so the editor can run offscreen.
std::unique_ptr<GameRemote> MakeDesktopGameRemote(MessageBoxes& boxes, Beeper& beeper);

}  // namespace vx
