// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

#include "platform/mouse_injector.h"
#include "platform/timing.h"

namespace vx {

// The mouse-event driver: pointer moves to screen positions or window centres,
// clicks with a pause and wheel turns. It measures the screen once, when created.
class CMouseEvent {
  public:
    CMouseEvent(MouseInjector& mouse, Sleeper& sleeper, EventPump& pump);

    std::int32_t ScreenWidth() const { return screenWidth_; }
    std::int32_t ScreenHeight() const { return screenHeight_; }

    // A negative delay is ignored.
    void ClickDelay(std::int32_t NewVal);
    std::int32_t ClickDelay() const { return clickDelay_; }

    // Codes 1, 2 and 4 all act on the left button; any other code sends nothing.
    void ButtonPress(std::int32_t Button);
    void ButtonRelease(std::int32_t Button);
    void Click();
    void ClickAbsolute(std::int32_t X, std::int32_t Y);
    void ClickWindow(WindowHandle hWnd);
    void MoveTo(std::int32_t X, std::int32_t Y, bool Absolute = true);
    void MoveToWindow(WindowHandle hWnd);
    // A direction other than +-120 becomes -120; the amount saturates at the
    // 32-bit limits instead of overflowing.
    void TurnWheel(std::int32_t Notches = 1, std::int32_t Direction = -120);

    // Pixel to the 0..65535 range, ties to even; 0 when the screen measured 0.
    static std::int32_t Normalise(std::int32_t pixel, std::int32_t screenSize);

  private:
    MouseInjector& mouse_;
    Sleeper& sleeper_;
    EventPump& pump_;
    std::int32_t screenWidth_ = 0;
    std::int32_t screenHeight_ = 0;
    std::int32_t clickDelay_ = 250;
};

}  // namespace vx
