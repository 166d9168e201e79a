// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/key_sender.h"
#include "platform/x11/x11_connection.h"

namespace vx {

// Keystrokes through XTEST, to whatever window has the keyboard focus.
class X11KeySender : public KeySender {
  public:
    explicit X11KeySender(X11Connection& connection) : x_(connection) {}
    void Send(SentKey key) override;

  private:
    X11Connection& x_;
};

}  // namespace vx
