// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>

#include "platform/beeper.h"
#include "platform/input_state.h"
#include "platform/mouse_injector.h"
#include "remote/remote_waits.h"
#include "remote/shutdown_keys.h"
#include "settings/settings.h"

namespace vx {

// Watches the left button and F5 while the user clicks through the game once and
// writes each click, at its release, into the click script of a settings record.
class ClickRecorder {
  public:
    ClickRecorder(InputWatch& input, MouseInjector& screen, RemoteWaits& waits, Beeper& beeper,
                  ScreenSize screenAtStart);

    // ClickCount 0 and every entry of the three arrays 0.
    static void ClearClickScript(Settings& working);

    void StartIntervalClock();
    // The interval ends at the release's own timestamp.
    void RecordInterval(Settings& working, const InputEvent& release);
    // The release's position, in pixels of the start-up screen: scaled by the
    // start-up size over the size the screen has now, while the game runs.
    void RecordCursorPosition(Settings& working, const InputEvent& release);
    // Records until F5 goes down between clicks, or until the script is full; false
    // when cancelled.
    bool RecordClicks(Settings& working);
    // After the recording: returns once F5 is up again; false when cancelled.
    bool WaitForF5Up() { return f5_.WaitForF5Up(waits_); }

    std::uint32_t LastClickTime = 0;
    bool StopRecording = false;
    // Told the number of clicks at the start and after each one.
    std::function<void(int)> onProgress;

  private:
    // Applies one event; false when it ends the recording.
    bool Apply(Settings& working, const InputEvent& event);

    InputWatch& input_;
    MouseInjector& screen_;
    RemoteWaits& waits_;
    Beeper& beeper_;
    ScreenSize screenAtStart_;
    F5Tracker f5_;
    bool pressed_ = false;
};

}  // namespace vx
