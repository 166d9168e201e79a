// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// What every desktop promises about the game's windows, on the scripted double and on
// X11 (without a window manager, as the test's display runs). A harness offers
// Available(), Windows(), Open(pid, rect) (a mapped top-level window naming `pid`, none
// for 0), Close(window), PointAt(x, y) and OwnPid().
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/x11/x11_game_windows.h"
#include "platform/x11/xtest_hand.h"
#include "support/scripted_desk.h"

// After the project's headers: Xlib's macros would clash with their names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace vx::testing {
namespace {

struct ScriptedWindowsHarness {
    bool Available() { return true; }
    GameWindows& Windows() { return desk; }
    WindowHandle Open(std::int64_t pid, WindowRect rect) { return desk.OpenWindow(pid, rect); }
    void Close(WindowHandle window) { desk.CloseWindow(window); }
    void PointAt(int x, int y) { desk.pointer = {x, y}; }
    std::int64_t OwnPid() { return ScriptedDesk::kOwnPid; }
    ScriptedDesk desk;
};

struct X11WindowsHarness {
    ~X11WindowsHarness() {
        for (unsigned long w : opened_) XDestroyWindow(d_, w);
        if (d_ != nullptr) XSync(d_, False);
    }
    bool Available() { return d_ != nullptr && hand_.IsOpen(); }
    GameWindows& Windows() { return windows_; }
    WindowHandle Open(std::int64_t pid, WindowRect rect) {
        const Window w =
            XCreateSimpleWindow(d_, DefaultRootWindow(d_), rect.left, rect.top,
                                static_cast<unsigned>(rect.right - rect.left),
                                static_cast<unsigned>(rect.bottom - rect.top), 0, 0, 0);
        if (pid != 0) {
            const long value = static_cast<long>(pid);
            XChangeProperty(d_, w, XInternAtom(d_, "_NET_WM_PID", False), XA_CARDINAL, 32,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(&value), 1);
        }
        XMapRaised(d_, w);
        XSync(d_, False);
        XWindowAttributes attributes{};
        for (int i = 0; i < 100 && attributes.map_state != IsViewable; ++i)
            XGetWindowAttributes(d_, w, &attributes);
        opened_.push_back(w);
        return w;
    }
    void Close(WindowHandle window) {
        XDestroyWindow(d_, window);
        XSync(d_, False);
        std::erase(opened_, window);
    }
    void PointAt(int x, int y) { hand_.MoveTo(x, y); }
    std::int64_t OwnPid() { return ::getpid(); }

  private:
    DisplayInputLock lock_;
    XTestHand hand_;
    X11Connection connection_;
    Display* d_ = connection_.Get();
    X11GameWindows windows_;
    std::vector<unsigned long> opened_;
};

template <class Harness>
struct GameWindowsContract : ::testing::Test {
    void SetUp() override {
        if (!harness.Available()) GTEST_SKIP() << "no desktop to test against";
    }
    Harness harness;
};

using WindowsHarnesses = ::testing::Types<ScriptedWindowsHarness, X11WindowsHarness>;
TYPED_TEST_SUITE(GameWindowsContract, WindowsHarnesses);

// A window there before the start never counts, nor one of this program's own; a
// window without _NET_WM_PID counts with pid 0.
TYPED_TEST(GameWindowsContract, NewWindowsAreThoseMappedSinceTheStartOldestFirst) {
    GameWindows& windows = this->harness.Windows();
    this->harness.Open(4242, {0, 0, 50, 50});
    windows.GameStarted();
    const WindowHandle nameless = this->harness.Open(0, {10, 10, 60, 60});
    const WindowHandle game = this->harness.Open(4343, {20, 20, 70, 70});
    this->harness.Open(this->harness.OwnPid(), {30, 30, 80, 80});
    EXPECT_EQ(windows.NewWindows(), (std::vector<TopLevelWindow>{{nameless, 0}, {game, 4343}}));
    this->harness.Close(nameless);
    EXPECT_EQ(windows.NewWindows(), (std::vector<TopLevelWindow>{{game, 4343}}));
}

TYPED_TEST(GameWindowsContract, TheWindowActivatedHasTheFocus) {
    GameWindows& windows = this->harness.Windows();
    const WindowHandle first = this->harness.Open(0, {0, 0, 100, 100});
    const WindowHandle second = this->harness.Open(0, {50, 50, 200, 200});
    for (WindowHandle w : {first, second}) {
        windows.Activate(w);
        // A window manager hands the focus over in its own time.
        for (int i = 0; i < 100 && !windows.HasFocus(w); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(windows.HasFocus(w));
        EXPECT_FALSE(windows.HasFocus(w == first ? second : first));
    }
    EXPECT_FALSE(windows.HasFocus(0));
}

// Only the topmost window at the pointer is under it.
TYPED_TEST(GameWindowsContract, UnderThePointerIsOnlyTheTopmostWindowThere) {
    GameWindows& windows = this->harness.Windows();
    const WindowHandle below = this->harness.Open(0, {0, 0, 400, 300});
    const WindowHandle above = this->harness.Open(0, {200, 0, 600, 300});
    const struct {
        int x, y;
        bool below, above;
    } rows[] = {{100, 100, true, false}, {300, 100, false, true}, {700, 500, false, false}};
    for (const auto& row : rows) {
        this->harness.PointAt(row.x, row.y);
        EXPECT_EQ(windows.UnderPointer(below), row.below) << row.x;
        EXPECT_EQ(windows.UnderPointer(above), row.above) << row.x;
    }
}

}  // namespace
}  // namespace vx::testing
