// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

namespace vx {

// The system beep that refusals sound.
class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

}  // namespace vx
