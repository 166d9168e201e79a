// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace vx {

struct ScreenSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A native window id (an X window on the desktop build).
using WindowHandle = std::uint64_t;

// Synthetic mouse input for the whole desktop. The platform's answers are not
// examined by the callers; an implementation without a desktop does nothing.
class MouseInjector {
  public:
    virtual ~MouseInjector() = default;
    // The screen's size now, which a game may change while it runs.
    virtual ScreenSize ScreenSizePixels() = 0;
    // Position normalised to 0..65535 across the screen as it is now; values outside
    // are clamped.
    virtual void MoveAbsolute(std::int32_t nx, std::int32_t ny) = 0;
    virtual void MoveRelative(std::int32_t dx, std::int32_t dy) = 0;
    virtual void PressLeftButton() = 0;
    virtual void ReleaseLeftButton() = 0;
    // One notch is 120; positive turns away from the user.
    virtual void Wheel(std::int32_t amount) = 0;
    // All zero when the window is unknown.
    virtual WindowRect WindowRectangle(WindowHandle window) = 0;
};

}  // namespace vx
