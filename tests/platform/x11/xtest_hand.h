// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/x11/x11_connection.h"

namespace vx::testing {

// Keeps tests of different processes from moving the display's one pointer at
// the same time; held for as long as the object lives.
class DisplayInputLock {
  public:
    DisplayInputLock();
    ~DisplayInputLock();
    DisplayInputLock(const DisplayInputLock&) = delete;
    DisplayInputLock& operator=(const DisplayInputLock&) = delete;

  private:
    int fd_ = -1;
};

struct SeenEvent {
    enum Kind { Press, Release, Key } kind;
    int button = 0;
    int x = 0;
    int y = 0;
    std::string key;
};

// The user's hand on the X server, on a connection of its own so that it may act
// from a second thread: moves, clicks and F5 through XTEST, and a full-screen
// window with the focus that reports what reached it.
class XTestHand {
  public:
    XTestHand();
    ~XTestHand();
    XTestHand(const XTestHand&) = delete;
    XTestHand& operator=(const XTestHand&) = delete;

    bool IsOpen() const { return connection_.CanInject(); }
    void MoveTo(int x, int y);
    void PressLeft();
    void ReleaseLeft();
    void HoldF5(bool down);
    // Lets go of the left button and F5, whatever a failed test left behind.
    void LetGo();

    // A mapped full-screen window with the keyboard focus, watching buttons and keys.
    void OpenWatchWindow();
    std::vector<SeenEvent> TakeSeenEvents();
    // An unmapped top-level window with the given outer geometry.
    std::uint64_t MakeWindow(int left, int top, int width, int height);

  private:
    X11Connection connection_;
    _XDisplay* display_ = connection_.Get();
    unsigned long watchWindow_ = 0;
    std::vector<unsigned long> windows_;
};

}  // namespace vx::testing
