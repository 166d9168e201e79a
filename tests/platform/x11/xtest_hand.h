// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_game_windows.h"

namespace vx::testing {

// Keeps tests of different processes from moving the display's one pointer at the
// same time, for as long as it lives.
struct DisplayInputLock {
    DisplayInputLock();
    ~DisplayInputLock();
    DisplayInputLock(const DisplayInputLock&) = delete;
    DisplayInputLock& operator=(const DisplayInputLock&) = delete;

  private:
    int fd_ = -1;
};

// The user's hand on the X server, on a connection of its own so that it may act from
// a second thread, and a full-screen focused window that reports what reached it.
struct XTestHand {
    ~XTestHand();
    bool IsOpen() const { return connection_.CanInject(); }
    void MoveTo(int x, int y);
    void ReleaseLeft() { Button(false); }
    void HoldF5(bool down);
    unsigned F5Keycode();
    // A key typed by its keysym name ("Return", "s"), with Control held when asked.
    void Type(const char* key, bool control = false);
    // The top-level client window whose title is title; 0 when there is none.
    unsigned long WindowTitled(const std::string& title);
    // Lets go of the left button and F5, whatever a failed test left behind.
    void LetGo();

    void OpenWatchWindow();
    // What reached the watch window since the last call: "press <button>", "key <name>".
    std::vector<std::string> TakeSeen();
    // An unmapped top-level window with the given outer geometry.
    unsigned long MakeWindow(int left, int top, int width, int height);
    // A mapped top-level window above the others, naming `pid` as its process (none
    // for 0).
    unsigned long OpenWindow(long pid, int left, int top, int width, int height);
    void CloseWindow(unsigned long window);

  private:
    void Button(bool down);
    X11Connection connection_;
    _XDisplay* display_ = connection_.Get();
    X11GameWindows games_;
    std::vector<unsigned long> windows_;  // the watch window among them
};

}  // namespace vx::testing
