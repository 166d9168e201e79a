// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <algorithm>

#include "platform/desktop_contract.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_input_state.h"
#include "platform/x11/x11_input_watch.h"
#include "platform/x11/x11_key_sender.h"
#include "platform/x11/x11_mouse_injector.h"
#include "platform/x11/xtest_hand.h"

namespace vx::testing {
namespace {

// The X11 desktop under the contract, watched through a second connection.
class X11Harness {
  public:
    X11Harness() {
        if (!Available()) return;
        hand_.LetGo();
        hand_.OpenWatchWindow();
    }
    bool Available() { return hand_.IsOpen() && connection_.CanInject(); }
    MouseInjector& Mouse() { return mouse_; }
    PointerReader& Pointer() { return input_; }
    InputWatch& Watch() { return watch_; }
    KeySender& Sender() { return sender_; }
    void HoldF5(bool down) { hand_.HoldF5(down); }
    WindowHandle MakeWindow(int left, int top, int width, int height) {
        return hand_.MakeWindow(left, top, width, height);
    }
    WindowHandle UnknownWindow() { return 0x7ffffff0; }
    std::vector<std::string> Seen() { return hand_.TakeSeen(); }

  private:
    // The lock comes first: nothing touches the display before it is held.
    DisplayInputLock lock_;
    XTestHand hand_;
    X11Connection connection_;
    X11MouseInjector mouse_{connection_};
    X11InputState input_{connection_};
    X11KeySender sender_{connection_};
    X11InputWatch watch_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(X11, DesktopContract, X11Harness);

}  // namespace
}  // namespace vx::testing
