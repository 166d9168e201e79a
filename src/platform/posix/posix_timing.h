// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/timing.h"

namespace vx {

// Milliseconds of the monotonic clock, truncated to 32 bits so that it wraps.
class SteadyMillisecondClock : public MillisecondClock {
  public:
    std::uint32_t NowMs() override;
};

class ThreadSleeper : public Sleeper {
  public:
    void SleepMs(std::int32_t ms) override;
};

}  // namespace vx
