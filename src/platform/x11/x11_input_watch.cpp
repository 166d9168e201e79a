// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/x11/x11_input_watch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>
#include <poll.h>

namespace vx {
namespace {

void OnRecorded(XPointer closure, XRecordInterceptData* data) {
    auto* watch = reinterpret_cast<X11InputWatch*>(closure);
    if (data->category == XRecordStartOfData) watch->DataStarted();
    // data_len counts 4-byte units; a device event is one 32-byte xEvent.
    if (data->category == XRecordFromServer && data->data_len * 4 >= sizeof(xEvent)) {
        const auto* event = reinterpret_cast<const xEvent*>(data->data);
        X11InputWatch::Raw raw;
        raw.type = event->u.u.type & 0x7f;
        raw.detail = event->u.u.detail;
        raw.time = static_cast<std::uint32_t>(event->u.keyButtonPointer.time);
        raw.at = {event->u.keyButtonPointer.rootX, event->u.keyButtonPointer.rootY};
        watch->Recorded(raw);
    }
    XRecordFreeData(data);
}

bool KeyDown(const char keys[32], unsigned keycode) {
    return keycode != 0 && (keys[keycode / 8] & (1 << (keycode % 8))) != 0;
}

}  // namespace

X11InputWatch::X11InputWatch() {
    Display* d = control_.Get();
    if (d == nullptr) return;
    f5Keycode_ = XKeysymToKeycode(d, XK_F5);
    // A window of our own whose property changes tell the server's time.
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    clockWindow_ = XCreateWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, 0, InputOnly,
                                 CopyFromParent, CWEventMask, &attributes);
    clockAtom_ = XInternAtom(d, "VISTOLAREX_CLOCK", False);
}

X11InputWatch::~X11InputWatch() {
    Stop();
    if (clockWindow_ != 0) XDestroyWindow(control_.Get(), clockWindow_);
}

bool X11InputWatch::StartRecording() {
    Display* d = control_.Get();
    int major = 0, minor = 0;
    if (!XRecordQueryVersion(d, &major, &minor)) return false;
    data_ = XOpenDisplay(DisplayString(d));
    if (data_ == nullptr) return false;
    XRecordRange* range = XRecordAllocRange();
    if (range == nullptr) {
        StopRecording();
        return false;
    }
    range->device_events.first = KeyPress;
    range->device_events.last = ButtonRelease;
    XRecordClientSpec clients = XRecordAllClients;
    context_ = XRecordCreateContext(d, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(d, False);
    if (context_ == 0 ||
        !XRecordEnableContextAsync(data_, context_, OnRecorded, reinterpret_cast<XPointer>(this))) {
        StopRecording();
        return false;
    }
    // Only once the server confirms is a press right after the start certain to be seen.
    for (int i = 0; i < 200 && !dataStarted_; ++i) {
        XRecordProcessReplies(data_);
        if (!dataStarted_) {
            pollfd fd{ConnectionNumber(data_), POLLIN, 0};
            ::poll(&fd, 1, 5);
        }
    }
    if (!dataStarted_) StopRecording();
    return dataStarted_;
}

void X11InputWatch::StopRecording() {
    Display* d = control_.Get();
    if (context_ != 0) {
        XRecordDisableContext(d, context_);
        XRecordFreeContext(d, context_);
        XSync(d, False);
        context_ = 0;
    }
    if (data_ != nullptr) {
        XCloseDisplay(data_);
        data_ = nullptr;
    }
    dataStarted_ = false;
}

bool X11InputWatch::Start() {
    Stop();
    if (!control_.IsOpen()) return false;
    events_.clear();
    heldBack_ = 0;
    sampling_ = !StartRecording();
    if (sampling_) {
        leftDown_ = false;
        f5Down_ = false;
        Sample();
        events_.clear();
    }
    started_ = true;
    return true;
}

void X11InputWatch::Stop() {
    if (!started_) return;
    StopRecording();
    sampling_ = false;
    started_ = false;
    events_.clear();
    heldBack_ = 0;
}

std::uint32_t X11InputWatch::NowMs() {
    Display* d = control_.Get();
    if (d == nullptr || clockWindow_ == 0) return 0;
    unsigned char zero = 0;
    XChangeProperty(d, clockWindow_, clockAtom_, XA_INTEGER, 8, PropModeReplace, &zero, 1);
    XEvent event;
    XWindowEvent(d, clockWindow_, PropertyChangeMask, &event);
    return static_cast<std::uint32_t>(event.xproperty.time);
}

void X11InputWatch::Recorded(const Raw& raw) {
    using Kind = InputEvent::Kind;
    if ((raw.type == ButtonPress || raw.type == ButtonRelease) && raw.detail == Button1) {
        events_.push_back(
            {raw.type == ButtonPress ? Kind::LeftPress : Kind::LeftRelease, raw.time, raw.at});
    } else if ((raw.type == KeyPress || raw.type == KeyRelease) && raw.detail == f5Keycode_) {
        events_.push_back(
            {raw.type == KeyPress ? Kind::F5Press : Kind::F5Release, raw.time, raw.at});
    }
}

void X11InputWatch::Sample() {
    Display* d = control_.Get();
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask)) return;
    char keys[32] = {};
    XQueryKeymap(d, keys);
    const bool left = (mask & Button1Mask) != 0;
    const bool f5 = KeyDown(keys, f5Keycode_);
    if (left == leftDown_ && f5 == f5Down_) return;
    using Kind = InputEvent::Kind;
    const std::uint32_t now = NowMs();
    if (left != leftDown_)
        events_.push_back({left ? Kind::LeftPress : Kind::LeftRelease, now, {x, y}});
    if (f5 != f5Down_) events_.push_back({f5 ? Kind::F5Press : Kind::F5Release, now, {x, y}});
    leftDown_ = left;
    f5Down_ = f5;
}

std::vector<InputEvent> X11InputWatch::Take() {
    if (!started_) return {};
    if (sampling_) {
        Sample();
    } else {
        XRecordProcessReplies(data_);
    }
    std::vector<InputEvent> taken;
    taken.swap(events_);
    // A held key repeats as a release and a press at one moment: no release at all.
    std::vector<InputEvent> out;
    for (std::size_t i = 0; i < taken.size(); ++i) {
        const InputEvent& e = taken[i];
        if (e.kind == InputEvent::Kind::F5Release && i + 1 < taken.size() &&
            taken[i + 1].kind == InputEvent::Kind::F5Press && taken[i + 1].timeMs == e.timeMs) {
            ++i;
            continue;
        }
        out.push_back(e);
    }
    // A release that may still be half of such a pair waits for the next look.
    if (!out.empty() && out.back().kind == InputEvent::Kind::F5Release) {
        char keys[32] = {};
        XQueryKeymap(control_.Get(), keys);
        if (KeyDown(keys, f5Keycode_)) {
            events_.push_back(out.back());
            out.pop_back();
        }
    }
    heldBack_ = events_.size();
    return out;
}

bool X11InputWatch::Pending() {
    if (!started_) return false;
    if (sampling_)
        Sample();
    else
        XRecordProcessReplies(data_);
    // A release held back above is no news: it waits for the event that settles it.
    return events_.size() > heldBack_;
}

int X11InputWatch::WakeHandle() {
    return started_ && !sampling_ && data_ != nullptr ? ConnectionNumber(data_) : -1;
}

}  // namespace vx
