// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/game_window.h"
#include "platform/input_state.h"
#include "platform/key_sender.h"
#include "platform/mouse_injector.h"
#include "platform/process_launcher.h"
#include "platform/timing.h"

namespace vx {

// Everything the game remote needs from the desktop, as one bundle of references.
struct RemotePlatform {
    MouseInjector& mouse;
    InputWatch& input;
    MillisecondClock& clock;
    Sleeper& sleeper;
    EventPump& pump;
    KeySender& keySender;
    ProcessLauncher& launcher;
    ProcessFamily& family;
    GameWindows& windows;
};

}  // namespace vx
