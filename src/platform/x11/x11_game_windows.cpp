// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/x11/x11_game_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <vector>

namespace vx {
namespace {

// A look at the desktop's windows costs a few round trips; a window appearing
// is caught well within this.
constexpr auto kLookInterval = std::chrono::milliseconds(50);

// The 32-bit items of a window property, empty when it is missing.
std::vector<unsigned long> Property(Display* d, Window w, const char* name, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 4096, False, type, &actualType,
                           &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            items.assign(values, values + count);
        }
        XFree(data);
    }
    return items;
}

// A window manager that ended without tidying up leaves its mark on the root; only
// a check window that still exists counts.
bool HasWindowManager(Display* d) {
    const std::vector<unsigned long> check =
        Property(d, DefaultRootWindow(d), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty()) return false;
    X11ErrorTrap trap(d);
    XWindowAttributes attributes;
    return XGetWindowAttributes(d, check.front(), &attributes) != 0 && !trap.Failed();
}

}  // namespace

std::set<unsigned long> X11GameWindows::ClientWindows() {
    Display* d = x_.Get();
    std::set<unsigned long> windows;
    const Window root = DefaultRootWindow(d);
    std::vector<unsigned long> managed = Property(d, root, "_NET_CLIENT_LIST", XA_WINDOW);
    if (!managed.empty()) return {managed.begin(), managed.end()};
    Window parent = 0, rootReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, root, &rootReturn, &parent, &children, &count) == 0) return windows;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(d, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && attributes.c_class == InputOutput)
            windows.insert(children[i]);
    }
    if (children != nullptr) XFree(children);
    return windows;
}

long X11GameWindows::WindowPid(unsigned long window) {
    std::vector<unsigned long> pid = Property(x_.Get(), window, "_NET_WM_PID", XA_CARDINAL);
    return pid.empty() ? 0 : static_cast<long>(pid.front());
}

void X11GameWindows::GameStarted(std::int64_t pid) {
    if (!x_.IsOpen()) return;
    X11ErrorTrap trap(x_.Get());
    pid_ = pid;
    before_ = ClientWindows();
    activated_.clear();
    nextLook_ = std::chrono::steady_clock::now();
}

void X11GameWindows::BringGameToFront() {
    if (!x_.IsOpen() || pid_ == 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now < nextLook_) return;
    nextLook_ = now + kLookInterval;
    // Windows may vanish between the listing and the look at them.
    X11ErrorTrap trap(x_.Get());
    const long ownPid = static_cast<long>(::getpid());
    for (unsigned long window : ClientWindows()) {
        if (activated_.count(window) != 0) continue;
        const long pid = WindowPid(window);
        // Without the property (wine sets it, not every program does) the first
        // window that is new since the start is taken for the game's.
        const bool isGame =
            pid == pid_ || (pid == 0 && activated_.empty() && before_.count(window) == 0);
        if (!isGame || pid == ownPid) continue;
        Activate(window);
        activated_.insert(window);
    }
}

void X11GameWindows::Activate(unsigned long window) {
    Display* d = x_.Get();
    if (HasWindowManager(d)) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2;  // the request comes from a pager: the user's wish
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, DefaultRootWindow(d), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(d, window);
        XSetInputFocus(d, window, RevertToPointerRoot, CurrentTime);
    }
    XFlush(d);
}

bool X11GameWindows::WindowManagerRunning() { return x_.IsOpen() && HasWindowManager(x_.Get()); }

bool X11GameWindows::FocusInOwnWindow() {
    if (!x_.IsOpen()) return false;
    Display* d = x_.Get();
    X11ErrorTrap trap(d);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    const long ownPid = static_cast<long>(::getpid());
    const Window root = DefaultRootWindow(d);
    // The focus may rest on an inner window; the pid is on the top-level one.
    for (Window w = focus; w != 0 && w != PointerRoot && w != root;) {
        if (WindowPid(w) == ownPid) return true;
        Window parent = 0, rootReturn = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(d, w, &rootReturn, &parent, &children, &count) == 0) break;
        if (children != nullptr) XFree(children);
        w = parent;
    }
    return false;
}

}  // namespace vx
