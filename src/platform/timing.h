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

// Lets the window thread's pending messages run; handlers may be re-entered.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
    // Blocks until a message arrives, `wake` (a file descriptor, when not negative)
    // becomes readable or `ms` milliseconds have passed, and lets what arrived run.
    virtual void AwaitEvents(std::int32_t ms, int wake) = 0;
};

}  // namespace vx
