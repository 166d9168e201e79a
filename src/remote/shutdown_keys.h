// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>

#include "platform/input_state.h"
#include "platform/key_sender.h"
#include "remote/remote_waits.h"

namespace vx {

// delay / 4 rounded to the nearest integer, halves to even (1500 -> 375, 50 -> 12).
std::int32_t QuarterDelay(std::int32_t delay);

// Escape, pause delay, Escape, Escape, Return, Return with pauses of a quarter of it.
// A negative delay (only from a damaged file) counts as 0. Each key is sent only
// while `mayGoOn` holds; false when it stopped or the waits were cancelled on the
// way, and no key follows.
bool SendShutdownKeys(KeySender& keys, RemoteWaits& waits, std::int32_t delay,
                      const std::function<bool()>& mayGoOn);

// Tracks F5 through the watch's events.
class F5Tracker {
  public:
    explicit F5Tracker(InputWatch& input) : input_(input) {}
    // Returns after F5 has been pressed and released; false when cancelled.
    bool WaitForShutdownKey(RemoteWaits& waits);
    // Returns once F5 is up (at once when it is); false when cancelled.
    bool WaitForF5Up(RemoteWaits& waits);
    // Applies one event; true for a press of F5.
    bool Apply(const InputEvent& event);
    bool Held() const { return held_; }

  private:
    InputWatch& input_;
    bool held_ = false;
};

}  // namespace vx
