// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/input_state.h"
#include "platform/x11/x11_connection.h"

namespace vx {

// The pointer position, read from the server on demand.
class X11InputState : public PointerReader {
  public:
    explicit X11InputState(X11Connection& connection) : x_(connection) {}
    PointerPos Position() override;

  private:
    X11Connection& x_;
};

}  // namespace vx
