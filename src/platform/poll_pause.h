#pragma once

#include <cstdint>

#include "platform/timing.h"

namespace vx {

// The pause between two polls of the keys: the windows' messages run, then the
// thread rests briefly so that a wait does not keep a core busy.
inline constexpr std::int32_t kPollPauseMs = 5;

class PollPause {
  public:
    PollPause(EventPump& pump, Sleeper& sleeper) : pump_(pump), sleeper_(sleeper) {}
    void operator()() {
        pump_.ProcessPendingEvents();
        sleeper_.SleepMs(kPollPauseMs);
    }

  private:
    EventPump& pump_;
    Sleeper& sleeper_;
};

}  // namespace vx
