// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/shutdown_keys.h"

#include <algorithm>
#include <cmath>

namespace vx {

std::int32_t QuarterDelay(std::int32_t delay) {
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(delay) / 4.0));
}

bool SendShutdownKeys(KeySender& keys, RemoteWaits& waits, std::int32_t delay,
                      const std::function<bool()>& mayGoOn) {
    delay = std::max(delay, 0);
    const std::int32_t quarter = QuarterDelay(delay);
    const struct {
        SentKey key;
        std::int32_t pauseAfter;
    } steps[] = {{SentKey::Escape, delay},
                 {SentKey::Escape, quarter},
                 {SentKey::Escape, quarter},
                 {SentKey::Return, quarter},
                 {SentKey::Return, 0}};
    for (const auto& step : steps) {
        if (waits.Cancelled() || !mayGoOn()) return false;
        keys.Send(step.key);
        if (step.pauseAfter > 0 && !waits.Pause(step.pauseAfter)) return false;
    }
    return true;
}

bool F5Tracker::Apply(const InputEvent& event) {
    if (event.kind == InputEvent::Kind::F5Press) {
        held_ = true;
        return true;
    }
    if (event.kind == InputEvent::Kind::F5Release) held_ = false;
    return false;
}

bool F5Tracker::WaitForF5Up(RemoteWaits& waits) {
    while (held_) {
        for (const InputEvent& event : input_.Take()) Apply(event);
        if (!held_) break;
        if (!waits.Poll()) return false;
    }
    return true;
}

bool F5Tracker::WaitForShutdownKey(RemoteWaits& waits) {
    bool pressed = false;
    while (!pressed) {
        for (const InputEvent& event : input_.Take()) {
            // A press and its release may arrive together; the release still counts.
            if (pressed) {
                Apply(event);
                continue;
            }
            pressed = Apply(event);
        }
        if (!pressed && !waits.Poll()) return false;
    }
    return WaitForF5Up(waits);
}

}  // namespace vx
