// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace vx {

// A millisecond clock that wraps around at 2^32.
class MillisecondClock {
  public:
    virtual ~MillisecondClock() = default;
    virtual std::uint32_t NowMs() = 0;
};

// Blocks the calling thread; zero or negative durations return at once.
class Sleeper {
  public:
    virtual ~Sleeper() = default;
    virtual void SleepMs(std::int32_t ms) = 0;
};

// Lets the window thread's pending messages run once; handlers may be re-entered.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
};

}  // namespace vx
