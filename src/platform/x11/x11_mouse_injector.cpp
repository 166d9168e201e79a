// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/x11/x11_mouse_injector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vx {

ScreenSize X11MouseInjector::ScreenSizePixels() {
    if (!x_.IsOpen()) return {};
    // The root window's geometry now: the connection's figures stay those of its
    // opening, and a game may switch the screen's mode at any time.
    Display* d = x_.Get();
    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(d, DefaultRootWindow(d), &root, &x, &y, &width, &height, &border, &depth))
        return {};
    return {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

int X11MouseInjector::ToPixel(std::int32_t normalised, int screenSize) {
    if (screenSize <= 0) return 0;
    double n = std::clamp(normalised, 0, 65535);
    int pixel = static_cast<int>(std::lround(n * screenSize / 65535.0));
    return std::clamp(pixel, 0, screenSize - 1);
}

void X11MouseInjector::MoveAbsolute(std::int32_t nx, std::int32_t ny) {
    if (!x_.CanInject()) return;
    Display* d = x_.Get();
    const ScreenSize size = ScreenSizePixels();
    XTestFakeMotionEvent(d, DefaultScreen(d), ToPixel(nx, size.width), ToPixel(ny, size.height),
                         CurrentTime);
    XSync(d, False);
}

void X11MouseInjector::MoveRelative(std::int32_t dx, std::int32_t dy) {
    if (!x_.CanInject()) return;
    XTestFakeRelativeMotionEvent(x_.Get(), dx, dy, CurrentTime);
    XSync(x_.Get(), False);
}

void X11MouseInjector::PressLeftButton() {
    if (!x_.CanInject()) return;
    XTestFakeButtonEvent(x_.Get(), Button1, True, CurrentTime);
    XSync(x_.Get(), False);
}

void X11MouseInjector::ReleaseLeftButton() {
    if (!x_.CanInject()) return;
    XTestFakeButtonEvent(x_.Get(), Button1, False, CurrentTime);
    XSync(x_.Get(), False);
}

void X11MouseInjector::Wheel(std::int32_t amount) {
    if (!x_.CanInject()) return;
    // Button 4 turns away from the user, button 5 towards; one press per notch.
    unsigned int button = amount > 0 ? Button4 : Button5;
    int notches = static_cast<int>(std::min<long long>(std::llabs(amount) / 120, kMaxWheelNotches));
    for (int i = 0; i < notches; ++i) {
        XTestFakeButtonEvent(x_.Get(), button, True, CurrentTime);
        XTestFakeButtonEvent(x_.Get(), button, False, CurrentTime);
    }
    XSync(x_.Get(), False);
}

WindowRect X11MouseInjector::WindowRectangle(WindowHandle window) {
    if (!x_.IsOpen() || window == 0) return {};
    Display* d = x_.Get();
    X11ErrorTrap trap(d);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, static_cast<Window>(window), &attributes) == 0) return {};
    int left = 0, top = 0;
    Window child = 0;
    if (!XTranslateCoordinates(d, static_cast<Window>(window), attributes.root, 0, 0, &left, &top,
                               &child) ||
        trap.Failed()) {
        return {};
    }
    return {left, top, left + attributes.width, top + attributes.height};
}

}  // namespace vx
