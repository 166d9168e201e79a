// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// What every desktop promises the remote, on the scripted double and on X11 (without a
// window manager, as the test's display runs). A harness's OpenWindow(pid, rect) maps
// on top, naming pid (none for 0); Seen() gives, since the last call, wheel notches as
// "press 4" (up) or "press 5" (down) and keys as "key <name>".
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_game_windows.h"
#include "platform/x11/x11_input_state.h"
#include "platform/x11/x11_input_watch.h"
#include "platform/x11/x11_key_sender.h"
#include "platform/x11/x11_mouse_injector.h"
#include "platform/x11/xtest_hand.h"
#include "remote/mouse_event.h"
#include "support/process_runner.h"
#include "support/scripted_desk.h"

extern char** environ;

namespace vx::testing {
namespace {

using Kind = InputEvent::Kind;

std::vector<Kind> Kinds(const std::vector<InputEvent>& events) {
    std::vector<Kind> kinds;
    for (const InputEvent& e : events) kinds.push_back(e.kind);
    return kinds;
}

// What arrives within a second.
std::vector<InputEvent> TakeArrived(InputWatch& watch) {
    for (int i = 0; i < 200 && !watch.Pending(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return watch.Take();
}

// The scripted desk must behave like a desktop, or the remote's tests prove nothing.
struct ScriptedDeskHarness : ScriptedDesk {
    bool Available() { return true; }
    MouseInjector& Mouse() { return *this; }
    PointerReader& Pointer() { return *this; }
    InputWatch& Watch() { return *this; }
    KeySender& Sender() { return *this; }
    WindowHandle UnknownWindow() { return 999999; }
    GameWindows& Windows() { return *this; }
    void PointAt(int x, int y) { pointer = {x, y}; }
    std::int64_t OwnPid() { return kOwnPid; }
    std::vector<std::string> Seen() {
        std::vector<std::string> seen;
        for (const auto& e : std::exchange(log, {})) {
            if (e.starts_with("key ")) seen.push_back(e);
            if (!e.starts_with("wheel ")) continue;
            const int notches = std::stoi(e.substr(6)) / 120;
            seen.insert(seen.end(), std::abs(notches), notches > 0 ? "press 4" : "press 5");
        }
        return seen;
    }
};

// The X11 desktop under the contract, watched through a second connection.
struct X11Harness {
    X11Harness() {
        if (!Available()) return;
        hand_.LetGo();
        hand_.OpenWatchWindow();
    }
    bool Available() { return hand_.IsOpen() && connection_.CanInject(); }
    MouseInjector& Mouse() { return mouse_; }
    PointerReader& Pointer() { return input_; }
    InputWatch& Watch() { return watch_; }
    KeySender& Sender() { return sender_; }
    void HoldF5(bool down) { hand_.HoldF5(down); }
    WindowHandle UnknownWindow() { return 0x7ffffff0; }
    std::vector<std::string> Seen() { return hand_.TakeSeen(); }
    GameWindows& Windows() { return windows_; }
    WindowHandle OpenWindow(std::int64_t pid, WindowRect r) {
        return hand_.OpenWindow(static_cast<long>(pid), r.left, r.top, r.right - r.left,
                                r.bottom - r.top);
    }
    void CloseWindow(WindowHandle window) { hand_.CloseWindow(window); }
    void PointAt(int x, int y) { hand_.MoveTo(x, y); }
    std::int64_t OwnPid() { return ::getpid(); }

  private:
    // The lock comes first: nothing touches the display before it is held.
    DisplayInputLock lock_;
    XTestHand hand_;
    X11Connection connection_;
    X11MouseInjector mouse_{connection_};
    X11InputState input_{connection_};
    X11KeySender sender_{connection_};
    X11InputWatch watch_;
    X11GameWindows windows_;
};

template <class Harness>
struct DesktopContract : ::testing::Test {
    void SetUp() override {
        if (!harness.Available()) GTEST_SKIP() << "no desktop to test against";
    }
    PointerPos At() { return harness.Pointer().Position(); }
    PointerPos MovedTo(std::int32_t x, std::int32_t y) {
        const ScreenSize size = harness.Mouse().ScreenSizePixels();
        harness.Mouse().MoveAbsolute(CMouseEvent::Normalise(x, size.width),
                                     CMouseEvent::Normalise(y, size.height));
        return At();
    }
    Harness harness;
};

using Harnesses = ::testing::Types<ScriptedDeskHarness, X11Harness>;
TYPED_TEST_SUITE(DesktopContract, Harnesses);

// Absolute moves land on the pixel they were normalised from, clamped to the
// screen; relative ones shift the pointer by their displacement. Windows have their
// edges, the wheel turns whole notches and keys arrive in order.
TYPED_TEST(DesktopContract, MovesWindowsWheelAndKeys) {
    MouseInjector& mouse = this->harness.Mouse();
    const ScreenSize size = mouse.ScreenSizePixels();
    mouse.MoveAbsolute(-100, 70000);
    EXPECT_EQ(this->At(), (PointerPos{0, size.height - 1}));
    for (PointerPos p : {PointerPos{1, 2}, PointerPos{size.width - 1, size.height - 1},
                         PointerPos{size.width / 3, size.height / 4}, PointerPos{100, 100}})
        ASSERT_EQ(this->MovedTo(p.x, p.y), p);
    mouse.MoveRelative(-30, 40);
    EXPECT_EQ(this->At(), (PointerPos{70, 140}));

    auto edges = [&mouse](WindowHandle w) {
        WindowRect r = mouse.WindowRectangle(w);
        return std::vector<std::int32_t>{r.left, r.top, r.right, r.bottom};
    };
    EXPECT_EQ(edges(this->harness.OpenWindow(0, {100, 50, 301, 151})),
              (std::vector<std::int32_t>{100, 50, 301, 151}));
    EXPECT_EQ(edges(this->harness.UnknownWindow()), (std::vector<std::int32_t>{0, 0, 0, 0}));

    this->MovedTo(200, 200);
    for (std::int32_t amount : {-240, 360, 0}) mouse.Wheel(amount);
    for (SentKey key : {SentKey::Escape, SentKey::Return, SentKey::Escape})
        this->harness.Sender().Send(key);
    EXPECT_EQ(this->harness.Seen(),
              (std::vector<std::string>{"press 5", "press 5", "press 4", "press 4", "press 4",
                                        "key Escape", "key Return", "key Escape"}));
}

// Presses shorter than any poll are reported all the same, in order, each with the
// pointer's position and a time on the watch's clock.
TYPED_TEST(DesktopContract, TheWatchReportsEveryPressAndReleaseInOrder) {
    InputWatch& watch = this->harness.Watch();
    ASSERT_TRUE(watch.Start());
    const std::uint32_t start = watch.NowMs();
    for (std::int32_t x : {50, 70}) {
        this->MovedTo(x, x + 10);
        this->harness.Mouse().PressLeftButton();
        this->harness.Mouse().ReleaseLeftButton();
        if (x != 50) continue;
        this->harness.HoldF5(true);
        this->harness.HoldF5(false);
    }
    std::vector<InputEvent> seen;
    // Pending tells when to take, so that a wait may rest until then.
    for (int i = 0; i < 6 && seen.size() < 6; ++i)
        for (const InputEvent& e : TakeArrived(watch)) seen.push_back(e);
    const std::uint32_t end = watch.NowMs();
    watch.Stop();
    ASSERT_EQ(Kinds(seen),
              (std::vector<Kind>{Kind::LeftPress, Kind::LeftRelease, Kind::F5Press, Kind::F5Release,
                                 Kind::LeftPress, Kind::LeftRelease}));
    std::uint32_t previous = start;
    for (std::size_t i = 0; i < 6; ++i) {
        const PointerPos at{i < 2 ? 50 : 70, i < 2 ? 60 : 80};
        EXPECT_TRUE(i == 2 || i == 3 || seen[i].at == at) << i;
        EXPECT_LE(seen[i].timeMs - start, end - start);
        EXPECT_GE(seen[i].timeMs - start, previous - start);
        previous = seen[i].timeMs;
    }
}

// A window there before the start never counts, nor one of this program's own; a
// window without _NET_WM_PID counts with pid 0. The window activated has the focus
// and the topmost one is under the pointer.
TYPED_TEST(DesktopContract, NewWindowsFocusAndTheWindowUnderThePointer) {
    GameWindows& windows = this->harness.Windows();
    this->harness.OpenWindow(4242, {0, 0, 50, 50});
    windows.GameStarted();
    const WindowHandle nameless = this->harness.OpenWindow(0, {10, 10, 60, 60});
    const WindowHandle game = this->harness.OpenWindow(4343, {20, 20, 70, 70});
    this->harness.OpenWindow(this->harness.OwnPid(), {30, 30, 80, 80});
    EXPECT_EQ(windows.NewWindows(), (std::vector<TopLevelWindow>{{nameless, 0}, {game, 4343}}));
    this->harness.CloseWindow(nameless);
    EXPECT_EQ(windows.NewWindows(), (std::vector<TopLevelWindow>{{game, 4343}}));

    const WindowHandle below = this->harness.OpenWindow(0, {0, 0, 400, 300});
    const WindowHandle above = this->harness.OpenWindow(0, {200, 0, 600, 300});
    for (WindowHandle w : {below, above}) {
        windows.Activate(w);
        // A window manager hands the focus over in its own time.
        for (int i = 0; i < 100 && !windows.HasFocus(w); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(windows.HasFocus(w));
        EXPECT_FALSE(windows.HasFocus(w == below ? above : below));
    }
    EXPECT_FALSE(windows.HasFocus(0));
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

// The X11 watch's own paths.
// Core protocol event codes, as RECORD reports them.
constexpr int kKeyPress = 2, kKeyRelease = 3;

// A held key repeats as a release and a press at one moment; neither is reported,
// and a release while the key is still down waits for what settles it.
TEST(X11InputWatch, AKeyHeldDownIsOnePressAndOneRelease) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
    DisplayInputLock lock;
    XTestHand hand;
    ASSERT_TRUE(hand.IsOpen());
    hand.LetGo();
    X11InputWatch watch;
    ASSERT_TRUE(watch.Start());
    ASSERT_GE(watch.WakeHandle(), 0) << "the test's display has RECORD";
    const unsigned f5 = hand.F5Keycode();
    for (const auto& [type, time] : {std::pair{kKeyPress, 10u},
                                     {kKeyRelease, 50u},
                                     {kKeyPress, 50u},
                                     {kKeyPress, 70u},
                                     {kKeyRelease, 90u}})
        watch.Recorded({type, f5, time, {}});
    const std::vector<InputEvent> taken = watch.Take();
    EXPECT_EQ(Kinds(taken), (std::vector<Kind>{Kind::F5Press, Kind::F5Press, Kind::F5Release}));
    EXPECT_EQ(taken.back().timeMs, 90u);

    hand.HoldF5(true);
    EXPECT_EQ(Kinds(TakeArrived(watch)), std::vector<Kind>{Kind::F5Press});
    watch.Recorded({kKeyRelease, f5, 120, {}});
    EXPECT_TRUE(watch.Take().empty());
    EXPECT_FALSE(watch.Pending());
    hand.HoldF5(false);
    const std::vector<InputEvent> settled = TakeArrived(watch);
    ASSERT_FALSE(settled.empty());
    EXPECT_TRUE(settled.front().kind == Kind::F5Release && settled.front().timeMs == 120u);
}

// Without RECORD (which Xvfb drops together with XTEST) the watch falls back to
// sampling the server's state: it starts, reports no input that did not happen, and
// tells the waits that it cannot wake them.
TEST(X11InputWatch, WithoutRecordItFallsBackToSampling) {
    // Xvfb picks a free display itself and writes its number into the pipe.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t server = SpawnTied(
        {"Xvfb", "-displayfd", std::to_string(fds[1]), "-extension", "RECORD", "-nolisten", "tcp"});
    ::close(fds[1]);
    std::string number;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not come up";
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display != nullptr ? display : "";
    ::setenv("DISPLAY", (":" + number).c_str(), 1);
    {
        X11InputWatch watch;
        saved.empty() ? ::unsetenv("DISPLAY") : ::setenv("DISPLAY", saved.c_str(), 1);
        EXPECT_TRUE(watch.Start());
        EXPECT_LT(watch.WakeHandle(), 0);
        const std::uint32_t start = watch.NowMs();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_FALSE(watch.Pending());
        EXPECT_TRUE(watch.Take().empty());
        EXPECT_GE(watch.NowMs() - start, 30u);
    }
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
}

}  // namespace
}  // namespace vx::testing
