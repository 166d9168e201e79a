// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// A stand-in for the game: a full-screen window logging its working folder and key
// presses. Started in the background, it asks not to
// get the focus (_NET_WM_USER_TIME 0), so keys reach it only once the remote brought
// it to the front, and logs when it gets the focus. Ends after the second Return, or
// after 20 s. With "no-window" it shows none and ends after 1.5 s.
// Usage: standin_game log [no-window]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::FILE* log = argc > 1 ? std::fopen(argv[1], "a") : nullptr;
    Display* d = XOpenDisplay(nullptr);
    if (log == nullptr || d == nullptr) return 2;
    ::alarm(20);
    std::setvbuf(log, nullptr, _IOLBF, 0);
    char folder[4096] = {};
    const char* where = ::getcwd(folder, sizeof folder) ? folder : "?";
    if (argc > 2 && std::string(argv[2]) == "no-window") {
        std::fprintf(log, "started in %s\n", where);
        ::usleep(1500 * 1000);
        std::fprintf(log, "exit\n");
        return 0;
    }
    const int screen = DefaultScreen(d);
    XSetWindowAttributes attributes{};
    attributes.event_mask = KeyPressMask | StructureNotifyMask | FocusChangeMask;
    const Window window = XCreateWindow(d, RootWindow(d, screen), 0, 0, DisplayWidth(d, screen),
                                        DisplayHeight(d, screen), 0, CopyFromParent, InputOutput,
                                        CopyFromParent, CWEventMask, &attributes);
    auto property = [&](const char* name, Atom type, long value) {
        XChangeProperty(d, window, XInternAtom(d, name, False), type, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&value), 1);
    };
    property("_NET_WM_PID", XA_CARDINAL, static_cast<long>(::getpid()));
    property("_NET_WM_USER_TIME", XA_CARDINAL, 0);
    property("_NET_WM_STATE", XA_ATOM,
             static_cast<long>(XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False)));
    XMapWindow(d, window);
    XEvent event;
    do XNextEvent(d, &event);
    while (event.type != MapNotify);
    std::fprintf(log, "started in %s\n", where);
    bool focused = false;
    for (int returns = 0; returns < 2;) {
        XNextEvent(d, &event);
        if (event.type == KeyPress) {
            const char* name = XKeysymToString(XLookupKeysym(&event.xkey, 0));
            std::fprintf(log, "key %s\n", name ? name : "?");
            returns += name && std::string(name) == "Return";
        } else if (event.type == FocusIn && !focused) {
            focused = true;
            std::fprintf(log, "focus in\n");
        }
    }
    std::fprintf(log, "exit\n");
    XCloseDisplay(d);
    std::fclose(log);
}
