// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/x11/x11_input_state.h"

#include <X11/Xlib.h>

namespace vx {

PointerPos X11InputState::Position() {
    if (!x_.IsOpen()) return {};
    Display* d = x_.Get();
    Window root = 0, child = 0;
    int x = 0, y = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &winX, &winY, &mask))
        return {};
    return {x, y};
}

}  // namespace vx
