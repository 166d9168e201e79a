#pragma once

#include "platform/input_state.h"
#include "platform/key_sender.h"
#include "platform/mouse_injector.h"
#include "platform/process_launcher.h"
#include "platform/timing.h"

namespace vx {

// Everything the game remote needs from the desktop, as one bundle of references.
struct RemotePlatform {
    MouseInjector& mouse;
    KeyState& keys;
    PointerReader& pointer;
    MillisecondClock& clock;
    Sleeper& sleeper;
    EventPump& pump;
    KeySender& keySender;
    ProcessLauncher& launcher;
};

}  // namespace vx
