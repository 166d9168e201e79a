// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

#include "platform/input_state.h"
#include "platform/timing.h"
#include "remote/game_window_tracker.h"

namespace vx {

// The longest pause a replay makes: a stored interval above it only comes from a
// damaged configuration.
inline constexpr std::int32_t kMaxReplayPauseMs = 10 * 60 * 1000;
// How long a wait rests at most when the input watch cannot wake it.
inline constexpr std::int32_t kPollPauseMs = 5;

// Every wait of a remote operation. The windows' messages keep running, so the
// user may close a window or press Exit meanwhile; that cancels the operation,
// and each wait then returns false at once. A wait blocks until a message, input,
// its deadline or the next look for the game's window; a game that ends without
// showing a window cancels it as well.
class RemoteWaits {
  public:
    RemoteWaits(EventPump& pump, MillisecondClock& clock, InputWatch& input,
                GameWindowTracker& game)
        : pump_(pump), clock_(clock), input_(input), game_(game) {}

    // One round of a wait for input: messages, the game's window, then a rest that
    // ends when input arrives.
    bool Poll();
    // Pauses `ms` milliseconds (at most kMaxReplayPauseMs, none when negative).
    bool Pause(std::int32_t ms) { return PauseUntil(Due(clock_.NowMs(), ms)); }
    // Pauses until the clock reads `due` (at once when it has passed it).
    bool PauseUntil(std::uint32_t due);
    // `from` plus a pause of `ms`, bounded as Pause bounds it.
    static std::uint32_t Due(std::uint32_t from, std::int32_t ms);
    std::uint32_t NowMs() { return clock_.NowMs(); }

    void Cancel() { cancelled_ = true; }
    void Reset() { cancelled_ = lost_ = false; }
    bool Cancelled() const { return cancelled_; }
    // Cancelled because the game ended without a window.
    bool GameLost() const { return lost_; }

  private:
    bool Service();

    EventPump& pump_;
    MillisecondClock& clock_;
    InputWatch& input_;
    GameWindowTracker& game_;
    bool cancelled_ = false;
    bool lost_ = false;
};

}  // namespace vx
