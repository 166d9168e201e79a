// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/timing.h"

namespace vx {

// Runs the Qt event loop's pending events; without an application it only waits.
class QtEventPump : public EventPump {
  public:
    void ProcessPendingEvents() override;
    void AwaitEvents(std::int32_t ms, int wake) override;
};

}  // namespace vx
