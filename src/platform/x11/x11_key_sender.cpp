// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/x11/x11_key_sender.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vx {

void X11KeySender::Send(SentKey key) {
    if (!x_.CanInject()) return;
    Display* d = x_.Get();
    KeyCode code = XKeysymToKeycode(d, key == SentKey::Escape ? XK_Escape : XK_Return);
    if (code == 0) return;
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    // The server has handled both events once the round trip is back.
    XSync(d, False);
}

}  // namespace vx
