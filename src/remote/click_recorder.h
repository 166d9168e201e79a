#pragma once

#include <cstdint>

#include "platform/beeper.h"
#include "platform/input_state.h"
#include "platform/mouse_injector.h"
#include "platform/poll_pause.h"
#include "platform/timing.h"
#include "settings/settings.h"

namespace vx {

// Watches the left button and F5 while the user clicks through the game once and
// writes each click, at its release, into the click script of a settings record.
class ClickRecorder {
  public:
    ClickRecorder(KeyState& keys, PointerReader& pointer, MillisecondClock& clock, PollPause& pause,
                  Beeper& beeper, ScreenSize screenAtStart);

    // ClickCount 0 and every entry of the three arrays 0.
    static void ClearClickScript(Settings& working);

    void StartIntervalClock();
    void RecordInterval(Settings& working);
    void RecordCursorPosition(Settings& working);
    // Records until F5 goes down between clicks, or until the script is full.
    void RecordClicks(Settings& working);

    std::uint32_t LastClickTime = 0;
    bool StopRecording = false;

  private:
    KeyState& keys_;
    PointerReader& pointer_;
    MillisecondClock& clock_;
    PollPause& pause_;
    Beeper& beeper_;
    ScreenSize screenAtStart_;
};

}  // namespace vx
