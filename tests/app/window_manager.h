// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_game_windows.h"
#include "support/process_runner.h"

// After the project's headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>

extern char** environ;

namespace vx::testing {

// The display's window manager, or an openbox of our own while this lives: a
// desktop has one that decides about the focus.
class WindowManager {
  public:
    WindowManager() {
        if (x_.Get() == nullptr || (ready_ = windows_.WindowManagerRunning())) return;
        ForgetKilledOne();
        pid_ = SpawnTied({"openbox"});
        ready_ = pid_ != 0 && Manages();
    }
    ~WindowManager() {
        if (pid_ == 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        ForgetKilledOne();
    }
    bool Running() const { return ready_; }

  private:
    // A window manager that was killed leaves its mark on the root window.
    void ForgetKilledOne() {
        Display* d = x_.Get();
        XDeleteProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False));
        XSync(d, False);
    }
    // Ready once it takes a window of its own: a probe is mapped and reparented.
    bool Manages() {
        Display* d = x_.Get();
        const Window probe = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
        XMapWindow(d, probe);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        for (int i = 0; i < 500 && (parent == root || !windows_.WindowManagerRunning()); ++i) {
            if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            XQueryTree(d, probe, &root, &parent, &children, &count);
            if (children != nullptr) XFree(children);
        }
        XDestroyWindow(d, probe);
        XSync(d, False);
        return parent != root && windows_.WindowManagerRunning();
    }
    X11Connection x_;
    X11GameWindows windows_;
    pid_t pid_ = 0;
    bool ready_ = false;
};

}  // namespace vx::testing
