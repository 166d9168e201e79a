// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// A stand-in for the game in the remote's tests: a full-screen top-level window
// that writes its working folder, then every button press and release
// (button, x, y) and every key press (its keysym name) to a log, one line each. Like
// a game started in the background it does not take the focus itself and asks the
// window manager not to give it the focus when it appears (_NET_WM_USER_TIME 0):
// keys reach it only when the remote has brought it to the front. It ends after
// the second Return, as the shutdown keys end the game, or after a bounded time.
// Usage: standin_game log
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::FILE* log = argc > 1 ? std::fopen(argv[1], "a") : nullptr;
    if (log == nullptr) return 2;
    std::setvbuf(log, nullptr, _IOLBF, 0);
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(log, "no display\n");
        return 1;
    }
    int screen = DefaultScreen(d);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(d, screen);
    attributes.event_mask =
        ButtonPressMask | ButtonReleaseMask | KeyPressMask | StructureNotifyMask;
    Window window = XCreateWindow(d, RootWindow(d, screen), 0, 0, DisplayWidth(d, screen),
                                  DisplayHeight(d, screen), 0, CopyFromParent, InputOutput,
                                  CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    XStoreName(d, window, "GPL stand-in");
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(d, window, &hints);
    auto cardinal = [&](const char* name, long value) {
        XChangeProperty(d, window, XInternAtom(d, name, False), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&value), 1);
    };
    cardinal("_NET_WM_PID", static_cast<long>(::getpid()));
    cardinal("_NET_WM_USER_TIME", 0);
    long fullscreen = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False));
    XChangeProperty(d, window, XInternAtom(d, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&fullscreen), 1);
    XMapWindow(d, window);
    XEvent event;
    do XNextEvent(d, &event);
    while (event.type != MapNotify);
    char folder[4096] = {};
    std::fprintf(log, "started in %s\nready\n", ::getcwd(folder, sizeof folder) ? folder : "?");

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int returns = 0;
    while (returns < 2 && std::chrono::steady_clock::now() < deadline) {
        if (XPending(d) == 0) {
            pollfd fd{ConnectionNumber(d), POLLIN, 0};
            ::poll(&fd, 1, 50);
            continue;
        }
        XNextEvent(d, &event);
        if (event.type == ButtonPress || event.type == ButtonRelease) {
            std::fprintf(log, "%s %u %d %d\n", event.type == ButtonPress ? "press" : "release",
                         event.xbutton.button, event.xbutton.x_root, event.xbutton.y_root);
        } else if (event.type == KeyPress) {
            const char* name = XKeysymToString(XLookupKeysym(&event.xkey, 0));
            std::string key = name ? name : "?";
            std::fprintf(log, "key %s\n", key.c_str());
            if (key == "Return") ++returns;
        }
    }
    std::fprintf(log, returns == 2 ? "exit\n" : "timeout\n");
    XCloseDisplay(d);
    std::fclose(log);
    return 0;
}
