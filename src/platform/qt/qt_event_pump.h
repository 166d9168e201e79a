// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/timing.h"

namespace vx {

// Runs the Qt event loop's pending events once; nothing without an application.
class QtEventPump : public EventPump {
  public:
    void ProcessPendingEvents() override;
};

}  // namespace vx
