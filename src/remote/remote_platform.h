#pragma once

#include "remote/game_window.h"
#include "remote/input_state.h"
#include "remote/key_sender.h"
#include "remote/mouse_injector.h"
#include "remote/process_launcher.h"
#include "remote/timing.h"

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
    GameWindows& windows;
};

}  // namespace vx
