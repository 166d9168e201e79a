// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/x11/xtest_hand.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace vx::testing {

DisplayInputLock::DisplayInputLock() {
    std::string name = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "none";
    for (char& c : name)
        if (c == '/' || c == ':') c = '_';
    fd_ = ::open(("/tmp/vistolarex-input" + name + ".lock").c_str(), O_RDWR | O_CREAT, 0666);
    if (fd_ >= 0) ::flock(fd_, LOCK_EX);
}

DisplayInputLock::~DisplayInputLock() {
    if (fd_ >= 0) ::close(fd_);
}

XTestHand::~XTestHand() {
    if (!IsOpen()) return;
    LetGo();
    for (unsigned long w : windows_) XDestroyWindow(display_, w);
    XSync(display_, False);
}

// Each action is on the server before the call returns.
void XTestHand::MoveTo(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XSync(display_, False);
}
void XTestHand::Button(bool down) {
    XTestFakeButtonEvent(display_, Button1, down, CurrentTime);
    XSync(display_, False);
}
void XTestHand::HoldF5(bool down) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_F5), down, CurrentTime);
    XSync(display_, False);
}

unsigned XTestHand::F5Keycode() { return XKeysymToKeycode(display_, XK_F5); }

void XTestHand::Type(const char* key, bool control) {
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(key));
    const KeyCode ctrl = XKeysymToKeycode(display_, XK_Control_L);
    if (control) XTestFakeKeyEvent(display_, ctrl, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (control) XTestFakeKeyEvent(display_, ctrl, False, CurrentTime);
    XSync(display_, False);
}

unsigned long XTestHand::WindowTitled(const std::string& title) {
    const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    // A window may vanish between the list and the look at its title.
    const X11ErrorTrap trap(display_);
    for (const unsigned long window : games_.ClientWindows()) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* name = nullptr;
        if (XGetWindowProperty(display_, window, netName, 0, 1024, False, utf8, &type, &format,
                               &count, &after, &name) != Success ||
            name == nullptr) {
            continue;
        }
        const bool match = std::string(reinterpret_cast<char*>(name), count) == title;
        XFree(name);
        if (match) return window;
    }
    return 0;
}

void XTestHand::LetGo() {
    Window root = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rx, &ry, &wx, &wy, &mask);
    if (mask & Button1Mask) ReleaseLeft();
    char keys[32];
    XQueryKeymap(display_, keys);
    unsigned int f5 = XKeysymToKeycode(display_, XK_F5);
    if (keys[f5 / 8] & (1 << (f5 % 8))) HoldF5(false);
}

void XTestHand::OpenWatchWindow() {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.event_mask = ButtonPressMask | KeyPressMask;
    const int screen = DefaultScreen(display_);
    const Window watch =
        XCreateWindow(display_, RootWindow(display_, screen), 0, 0, DisplayWidth(display_, screen),
                      DisplayHeight(display_, screen), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
    windows_.push_back(watch);
    XMapRaised(display_, watch);
    XSync(display_, False);
    XSetInputFocus(display_, watch, RevertToPointerRoot, CurrentTime);
    TakeSeen();
}

std::vector<std::string> XTestHand::TakeSeen() {
    std::vector<std::string> seen;
    XSync(display_, False);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == ButtonPress)
            seen.push_back("press " + std::to_string(event.xbutton.button));
        const char* key =
            event.type == KeyPress ? XKeysymToString(XLookupKeysym(&event.xkey, 0)) : nullptr;
        if (key) seen.push_back(std::string("key ") + key);
    }
    return seen;
}

unsigned long XTestHand::MakeWindow(int left, int top, int width, int height) {
    windows_.push_back(XCreateSimpleWindow(display_, DefaultRootWindow(display_), left, top,
                                           static_cast<unsigned>(width),
                                           static_cast<unsigned>(height), 0, 0, 0));
    XSync(display_, False);
    return windows_.back();
}

unsigned long XTestHand::OpenWindow(long pid, int left, int top, int width, int height) {
    const unsigned long window = MakeWindow(left, top, width, height);
    if (pid != 0)
        XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XMapRaised(display_, window);
    XWindowAttributes attributes{};
    for (int i = 0; i < 100 && attributes.map_state != IsViewable; ++i)
        XGetWindowAttributes(display_, window, &attributes);
    return window;
}

void XTestHand::CloseWindow(unsigned long window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
    std::erase(windows_, window);
}

}  // namespace vx::testing
