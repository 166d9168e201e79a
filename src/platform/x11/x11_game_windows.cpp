// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/x11/x11_game_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <algorithm>

namespace vx {
namespace {

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

std::vector<Window> Children(Display* d, Window w) {
    Window parent = 0, root = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> out;
    if (XQueryTree(d, w, &root, &parent, &children, &count) == 0) return out;
    out.assign(children, children + count);
    if (children != nullptr) XFree(children);
    return out;
}

Window Parent(Display* d, Window w) {
    Window parent = 0, root = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &count) == 0) return 0;
    if (children != nullptr) XFree(children);
    return parent;
}

}  // namespace

std::vector<unsigned long> X11GameWindows::ClientWindows() {
    Display* d = x_.Get();
    std::vector<unsigned long> managed =
        Property(d, DefaultRootWindow(d), "_NET_CLIENT_LIST", XA_WINDOW);
    if (!managed.empty()) return managed;
    std::vector<unsigned long> windows;
    for (Window child : Children(d, DefaultRootWindow(d))) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(d, child, &attributes) != 0 &&
            attributes.map_state == IsViewable && attributes.c_class == InputOutput)
            windows.push_back(child);
    }
    return windows;
}

long X11GameWindows::WindowPid(unsigned long window) {
    std::vector<unsigned long> pid = Property(x_.Get(), window, "_NET_WM_PID", XA_CARDINAL);
    return pid.empty() ? 0 : static_cast<long>(pid.front());
}

void X11GameWindows::GameStarted() {
    before_.clear();
    seen_.clear();
    if (!x_.IsOpen()) return;
    Display* d = x_.Get();
    X11ErrorTrap trap(d);
    // Unmapped ones too, and those inside a window manager's frames, which its list
    // may name only a moment later: a window that existed before is never the game's.
    for (unsigned long w : ClientWindows()) before_.insert(w);
    std::vector<Window> level{DefaultRootWindow(d)};
    for (int depth = 0; depth < 3 && !level.empty(); ++depth) {
        std::vector<Window> next;
        for (Window parent : level)
            for (Window child : Children(d, parent)) {
                before_.insert(child);
                next.push_back(child);
            }
        level.swap(next);
    }
}

std::vector<TopLevelWindow> X11GameWindows::NewWindows() {
    if (!x_.IsOpen()) return {};
    // Windows may vanish between the listing and the look at them.
    X11ErrorTrap trap(x_.Get());
    const std::vector<unsigned long> now = ClientWindows();
    for (unsigned long w : now)
        if (before_.count(w) == 0 && std::ranges::find(seen_, w) == seen_.end()) seen_.push_back(w);
    const long ownPid = static_cast<long>(::getpid());
    std::vector<TopLevelWindow> fresh;
    for (unsigned long w : seen_) {
        if (std::ranges::find(now, w) == now.end()) continue;
        const long pid = WindowPid(w);
        if (pid != ownPid) fresh.push_back({w, pid});
    }
    return fresh;
}

void X11GameWindows::Activate(WindowHandle window) {
    if (!x_.IsOpen()) return;
    Display* d = x_.Get();
    X11ErrorTrap trap(d);
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
}

bool X11GameWindows::WindowManagerRunning() { return x_.IsOpen() && HasWindowManager(x_.Get()); }

bool X11GameWindows::HasFocus(WindowHandle window) {
    if (!x_.IsOpen() || window == 0) return false;
    Display* d = x_.Get();
    X11ErrorTrap trap(d);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    const Window root = DefaultRootWindow(d);
    // The focus may rest on a window inside the game's.
    for (Window w = focus; w != 0 && w != PointerRoot && w != root; w = Parent(d, w))
        if (w == window) return true;
    return false;
}

bool X11GameWindows::UnderPointer(WindowHandle window) {
    if (!x_.IsOpen() || window == 0) return false;
    Display* d = x_.Get();
    X11ErrorTrap trap(d);
    // Down the stack of windows under the pointer, each time the topmost child there.
    for (Window w = DefaultRootWindow(d); w != 0;) {
        Window root = 0, child = 0;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned int mask = 0;
        if (!XQueryPointer(d, w, &root, &child, &rx, &ry, &wx, &wy, &mask)) return false;
        if (child == window) return true;
        w = child;
    }
    return false;
}

}  // namespace vx
