#pragma once

#include <cstdint>

#include "platform/input_state.h"
#include "platform/key_sender.h"
#include "platform/poll_pause.h"
#include "platform/timing.h"

namespace vx {

// delay / 4 rounded to the nearest integer, halves to even (1500 -> 375, 50 -> 12).
std::int32_t QuarterDelay(std::int32_t delay);

// Escape, pause delay, Escape, Escape, Return, Return with pauses of a quarter of it.
// A negative delay (only from a damaged file) counts as 0.
void SendShutdownKeys(KeySender& keys, Sleeper& sleeper, std::int32_t delay);

// Returns after F5 has been pressed and released.
void WaitForShutdownKey(KeyState& keys, PollPause& pause);
void WaitForF5Up(KeyState& keys, PollPause& pause);

}  // namespace vx
