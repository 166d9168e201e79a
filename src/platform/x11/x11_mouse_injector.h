// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/mouse_injector.h"
#include "platform/x11/x11_connection.h"

namespace vx {

// Mouse input through XTEST on the default screen; each call is synchronised with
// the server so that the events arrive in the order they were sent. Positions are
// mapped onto the screen's size at the moment of the move.
class X11MouseInjector : public MouseInjector {
  public:
    explicit X11MouseInjector(X11Connection& connection) : x_(connection) {}

    ScreenSize ScreenSizePixels() override;
    void MoveAbsolute(std::int32_t nx, std::int32_t ny) override;
    void MoveRelative(std::int32_t dx, std::int32_t dy) override;
    void PressLeftButton() override;
    void ReleaseLeftButton() override;
    void Wheel(std::int32_t amount) override;
    WindowRect WindowRectangle(WindowHandle window) override;

    // X has no wheel amounts, only notch buttons; a huge amount is cut to this many.
    static constexpr int kMaxWheelNotches = 100;
    // The pixel of a normalised position on a screen of the given size.
    static int ToPixel(std::int32_t normalised, int screenSize);

  private:
    X11Connection& x_;
};

}  // namespace vx
