// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/beeper.h"

namespace vx {

// The desktop's own bell.
class QtBeeper : public Beeper {
  public:
    void Beep() override;
};

}  // namespace vx
