#include "platform/x11/x11_input_state.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace vx {
namespace {

struct PointerQuery {
    bool ok = false;
    int x = 0;
    int y = 0;
    unsigned int mask = 0;
};

PointerQuery QueryPointer(Display* d) {
    PointerQuery q;
    Window root = 0, child = 0;
    int winX = 0, winY = 0;
    q.ok = XQueryPointer(d, DefaultRootWindow(d), &root, &child, &q.x, &q.y, &winX, &winY,
                         &q.mask) != 0;
    return q;
}

}  // namespace

X11InputState::X11InputState(X11Connection& connection) : x_(connection) {
    if (x_.IsOpen()) f5Keycode_ = XKeysymToKeycode(x_.Get(), XK_F5);
}

bool X11InputState::LeftButtonDown() {
    if (!x_.IsOpen()) return false;
    PointerQuery q = QueryPointer(x_.Get());
    return q.ok && (q.mask & Button1Mask) != 0;
}

bool X11InputState::F5Down() {
    // A keymap without F5 leaves keycode 0, which no key reports.
    if (!x_.IsOpen() || f5Keycode_ == 0) return false;
    char keys[32] = {};
    XQueryKeymap(x_.Get(), keys);
    return (keys[f5Keycode_ / 8] & (1 << (f5Keycode_ % 8))) != 0;
}

PointerPos X11InputState::Position() {
    if (!x_.IsOpen()) return {};
    PointerQuery q = QueryPointer(x_.Get());
    return {q.x, q.y};
}

}  // namespace vx
