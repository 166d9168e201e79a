// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/mouse_event.h"

#include <cmath>
#include <limits>

namespace vx {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

bool IsButtonCode(std::int32_t button) { return button == 1 || button == 2 || button == 4; }

std::int32_t Saturate(std::int64_t value) {
    if (value < kInt32Min) return static_cast<std::int32_t>(kInt32Min);
    if (value > kInt32Max) return static_cast<std::int32_t>(kInt32Max);
    return static_cast<std::int32_t>(value);
}

}  // namespace

CMouseEvent::CMouseEvent(MouseInjector& mouse, Sleeper& sleeper, EventPump& pump)
    : mouse_(mouse), sleeper_(sleeper), pump_(pump) {
    ScreenSize size = mouse_.ScreenSizePixels();
    screenWidth_ = size.width;
    screenHeight_ = size.height;
}

void CMouseEvent::ClickDelay(std::int32_t NewVal) {
    if (NewVal >= 0) clickDelay_ = NewVal;
}

void CMouseEvent::ButtonPress(std::int32_t Button) {
    if (IsButtonCode(Button)) mouse_.PressLeftButton();
}

void CMouseEvent::ButtonRelease(std::int32_t Button) {
    if (IsButtonCode(Button)) mouse_.ReleaseLeftButton();
}

void CMouseEvent::Click() {
    mouse_.PressLeftButton();
    if (clickDelay_ != 0) {
        pump_.ProcessPendingEvents();
        sleeper_.SleepMs(clickDelay_);
    }
    mouse_.ReleaseLeftButton();
}

void CMouseEvent::ClickAbsolute(std::int32_t X, std::int32_t Y) {
    MoveTo(X, Y, true);
    Click();
}

void CMouseEvent::ClickWindow(WindowHandle hWnd) {
    MoveToWindow(hWnd);
    Click();
}

std::int32_t CMouseEvent::Normalise(std::int32_t pixel, std::int32_t screenSize) {
    // A screen that measured nothing has no positions to map to.
    if (screenSize == 0) return 0;
    double scaled = static_cast<double>(pixel) / static_cast<double>(screenSize) * 65535.0;
    // Far outside the screen the quotient leaves the 32-bit range; clamp before converting.
    scaled = std::nearbyint(scaled);
    if (scaled <= static_cast<double>(kInt32Min)) return static_cast<std::int32_t>(kInt32Min);
    if (scaled >= static_cast<double>(kInt32Max)) return static_cast<std::int32_t>(kInt32Max);
    return static_cast<std::int32_t>(scaled);
}

void CMouseEvent::MoveTo(std::int32_t X, std::int32_t Y, bool Absolute) {
    if (Absolute) {
        mouse_.MoveAbsolute(Normalise(X, screenWidth_), Normalise(Y, screenHeight_));
    } else {
        mouse_.MoveRelative(X, Y);
    }
}

void CMouseEvent::MoveToWindow(WindowHandle hWnd) {
    WindowRect rect = mouse_.WindowRectangle(hWnd);
    // 64-bit so that an absurd rectangle cannot overflow; the centre always fits.
    std::int64_t x = (std::int64_t{rect.right} - rect.left) / 2 + rect.left;
    std::int64_t y = (std::int64_t{rect.bottom} - rect.top) / 2 + rect.top;
    MoveTo(Saturate(x), Saturate(y), true);
}

void CMouseEvent::TurnWheel(std::int32_t Notches, std::int32_t Direction) {
    if (Direction != -120 && Direction != 120) Direction = -120;
    mouse_.Wheel(Saturate(std::int64_t{Notches} * Direction));
}

}  // namespace vx
