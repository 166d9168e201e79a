// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

struct _XDisplay;

namespace vx {

// One connection to the X server named by DISPLAY; closed when destroyed. Every
// user checks IsOpen() and does nothing without a server.
class X11Connection {
  public:
    X11Connection();
    explicit X11Connection(const char* displayName);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    bool IsOpen() const { return display_ != nullptr; }
    // Synthetic input needs the XTEST extension as well as the connection.
    bool CanInject() const { return display_ != nullptr && hasXTest_; }
    _XDisplay* Get() const { return display_; }

  private:
    _XDisplay* display_ = nullptr;
    bool hasXTest_ = false;
};

// Collects X protocol errors instead of letting Xlib end the program, for as long
// as it lives; requests inside its scope are synchronised.
class X11ErrorTrap {
  public:
    explicit X11ErrorTrap(_XDisplay* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;
    // True when a request since the trap was set failed.
    bool Failed();

  private:
    _XDisplay* display_;
    int (*previous_)(_XDisplay*, void*) = nullptr;
};

}  // namespace vx
