#pragma once

#include "platform/input_state.h"
#include "platform/x11/x11_connection.h"

namespace vx {

// The server's physical key and button state and the pointer position, read on
// demand whatever window has the focus.
class X11InputState : public KeyState, public PointerReader {
  public:
    explicit X11InputState(X11Connection& connection);

    bool LeftButtonDown() override;
    bool F5Down() override;
    PointerPos Position() override;

  private:
    X11Connection& x_;
    unsigned int f5Keycode_ = 0;
};

}  // namespace vx
