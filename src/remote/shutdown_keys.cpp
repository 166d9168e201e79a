#include "remote/shutdown_keys.h"

#include <algorithm>
#include <cmath>

namespace vx {

std::int32_t QuarterDelay(std::int32_t delay) {
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(delay) / 4.0));
}

void SendShutdownKeys(KeySender& keys, Sleeper& sleeper, std::int32_t delay) {
    delay = std::max(delay, 0);
    const std::int32_t quarter = QuarterDelay(delay);
    keys.Send(SentKey::Escape);
    sleeper.SleepMs(delay);
    keys.Send(SentKey::Escape);
    sleeper.SleepMs(quarter);
    keys.Send(SentKey::Escape);
    sleeper.SleepMs(quarter);
    keys.Send(SentKey::Return);
    sleeper.SleepMs(quarter);
    keys.Send(SentKey::Return);
}

void WaitForF5Up(KeyState& keys, PollPause& pause) {
    while (keys.F5Down()) pause();
}

void WaitForShutdownKey(KeyState& keys, PollPause& pause) {
    while (!keys.F5Down()) pause();
    WaitForF5Up(keys, pause);
}

}  // namespace vx
