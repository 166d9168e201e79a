// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// What every desktop promises the remote, on the scripted double and on X11. A harness
// offers Available(), Mouse(), Pointer(), Watch(), Sender(), HoldF5(down), MakeWindow(l,
// t, w, h), UnknownWindow() and Seen(): since the last call, wheel notches as "press 4"
// (up) or "press 5" (down) and keys as "key <name>".
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_input_state.h"
#include "platform/x11/x11_input_watch.h"
#include "platform/x11/x11_key_sender.h"
#include "platform/x11/x11_mouse_injector.h"
#include "platform/x11/xtest_hand.h"
#include "remote/mouse_event.h"
#include "support/scripted_desk.h"

namespace vx::testing {
namespace {

// The scripted desk must behave like a desktop, or the remote's tests prove nothing.
struct ScriptedDeskHarness : ScriptedDesk {
    bool Available() { return true; }
    MouseInjector& Mouse() { return *this; }
    PointerReader& Pointer() { return *this; }
    InputWatch& Watch() { return *this; }
    KeySender& Sender() { return *this; }
    WindowHandle MakeWindow(int left, int top, int width, int height) {
        return OpenWindow(0, {left, top, left + width, top + height});
    }
    WindowHandle UnknownWindow() { return 999999; }
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
    WindowHandle MakeWindow(int left, int top, int width, int height) {
        return hand_.MakeWindow(left, top, width, height);
    }
    WindowHandle UnknownWindow() { return 0x7ffffff0; }
    std::vector<std::string> Seen() { return hand_.TakeSeen(); }

  private:
    // The lock comes first: nothing touches the display before it is held.
    DisplayInputLock lock_;
    XTestHand hand_;
    X11Connection connection_;
    X11MouseInjector mouse_{connection_};
    X11InputState input_{connection_};
    X11KeySender sender_{connection_};
    X11InputWatch watch_;
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
// screen; relative ones shift the pointer by their displacement.
TYPED_TEST(DesktopContract, MovesLandOnTheirPixels) {
    MouseInjector& mouse = this->harness.Mouse();
    const ScreenSize size = mouse.ScreenSizePixels();
    mouse.MoveAbsolute(-100, 70000);
    EXPECT_EQ(this->At(), (PointerPos{0, size.height - 1}));
    for (PointerPos p : {PointerPos{1, 2}, PointerPos{size.width - 1, size.height - 1},
                         PointerPos{size.width / 3, size.height / 4}, PointerPos{100, 100}})
        ASSERT_EQ(this->MovedTo(p.x, p.y), p);
    mouse.MoveRelative(-30, 40);
    EXPECT_EQ(this->At(), (PointerPos{70, 140}));
}

// Presses shorter than any poll are reported all the same, in order, each with the
// pointer's position and a time on the watch's clock.
TYPED_TEST(DesktopContract, TheWatchReportsEveryPressAndReleaseInOrder) {
    using Kind = InputEvent::Kind;
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
    for (int i = 0; i < 200 && seen.size() < 6; ++i) {
        if (!watch.Pending()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        for (const InputEvent& e : watch.Take()) seen.push_back(e);
    }
    const std::uint32_t end = watch.NowMs();
    watch.Stop();
    const Kind kinds[] = {Kind::LeftPress, Kind::LeftRelease, Kind::F5Press,
                          Kind::F5Release, Kind::LeftPress,   Kind::LeftRelease};
    ASSERT_EQ(seen.size(), 6u);
    std::uint32_t previous = start;
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(seen[i].kind, kinds[i]) << i;
        const PointerPos at{i < 2 ? 50 : 70, i < 2 ? 60 : 80};
        EXPECT_TRUE(i == 2 || i == 3 || seen[i].at == at) << i;
        EXPECT_LE(seen[i].timeMs - start, end - start);
        EXPECT_GE(seen[i].timeMs - start, previous - start);
        previous = seen[i].timeMs;
    }
}

TYPED_TEST(DesktopContract, WindowsWheelAndKeys) {
    auto edges = [this](WindowHandle w) {
        WindowRect r = this->harness.Mouse().WindowRectangle(w);
        return std::vector<std::int32_t>{r.left, r.top, r.right, r.bottom};
    };
    EXPECT_EQ(edges(this->harness.MakeWindow(100, 50, 201, 101)),
              (std::vector<std::int32_t>{100, 50, 301, 151}));
    EXPECT_EQ(edges(this->harness.UnknownWindow()), (std::vector<std::int32_t>{0, 0, 0, 0}));

    // The wheel turns whole notches; keys arrive in order.
    this->MovedTo(200, 200);
    for (std::int32_t amount : {-240, 360, 0}) this->harness.Mouse().Wheel(amount);
    for (SentKey key : {SentKey::Escape, SentKey::Return, SentKey::Escape})
        this->harness.Sender().Send(key);
    EXPECT_EQ(this->harness.Seen(),
              (std::vector<std::string>{"press 5", "press 5", "press 4", "press 4", "press 4",
                                        "key Escape", "key Return", "key Escape"}));
}

}  // namespace
}  // namespace vx::testing
