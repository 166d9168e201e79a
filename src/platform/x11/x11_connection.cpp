// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/x11/x11_connection.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace vx {
namespace {

int trappedErrors = 0;

int CountError(Display*, XErrorEvent*) {
    ++trappedErrors;
    return 0;
}

}  // namespace

X11Connection::X11Connection() : X11Connection(nullptr) {}

X11Connection::X11Connection(const char* displayName) {
    // A busy server may turn a connection away for a moment (EAGAIN, ECONNRESET);
    // a missing server fails at once and is not asked again.
    for (int attempt = 0; attempt < 10 && display_ == nullptr; ++attempt) {
        errno = 0;
        display_ = XOpenDisplay(displayName);
        if (display_ == nullptr && errno != EAGAIN && errno != ECONNRESET && errno != EINTR) break;
        if (display_ == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (display_ == nullptr) return;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    hasXTest_ = XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor) != 0;
}

X11Connection::~X11Connection() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

X11ErrorTrap::X11ErrorTrap(_XDisplay* display) : display_(display) {
    XSync(display_, False);
    trappedErrors = 0;
    previous_ = reinterpret_cast<int (*)(_XDisplay*, void*)>(XSetErrorHandler(CountError));
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_));
}

bool X11ErrorTrap::Failed() {
    XSync(display_, False);
    return trappedErrors != 0;
}

}  // namespace vx
