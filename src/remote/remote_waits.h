// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

#include "platform/game_window.h"
#include "platform/input_state.h"
#include "platform/timing.h"

namespace vx {

// The longest pause a replay makes: a stored interval above it only comes from a
// damaged configuration.
inline constexpr std::int32_t kMaxReplayPauseMs = 10 * 60 * 1000;
// How long a wait rests at most before the windows' messages run again.
inline constexpr std::int32_t kPollPauseMs = 5;

// Every wait of a remote operation. The windows' messages keep running, so the
// user may close a window or press Exit meanwhile; that cancels the operation,
// and each wait then returns false at once.
class RemoteWaits {
  public:
    RemoteWaits(EventPump& pump, Sleeper& sleeper, MillisecondClock& clock, InputWatch& input,
                GameWindows& windows)
        : pump_(pump), sleeper_(sleeper), clock_(clock), input_(input), windows_(windows) {}

    // One round of a wait for input: messages, the game's window, then a rest that
    // ends early when input arrives.
    bool Poll();
    // Pauses `ms` milliseconds (at most kMaxReplayPauseMs, none when negative).
    bool Pause(std::int32_t ms) { return PauseUntil(Due(clock_.NowMs(), ms)); }
    // Pauses until the clock reads `due` (at once when it has passed it).
    bool PauseUntil(std::uint32_t due);
    // `from` plus a pause of `ms`, bounded as Pause bounds it.
    static std::uint32_t Due(std::uint32_t from, std::int32_t ms);
    std::uint32_t NowMs() { return clock_.NowMs(); }

    void Cancel() { cancelled_ = true; }
    void Reset() { cancelled_ = false; }
    bool Cancelled() const { return cancelled_; }

  private:
    bool Service();

    EventPump& pump_;
    Sleeper& sleeper_;
    MillisecondClock& clock_;
    InputWatch& input_;
    GameWindows& windows_;
    bool cancelled_ = false;
};

}  // namespace vx
