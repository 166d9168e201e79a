// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input_state.h"
#include "platform/key_sender.h"
#include "platform/mouse_injector.h"
#include "remote/mouse_event.h"

namespace vx::testing {

// What every desktop implementation promises the remote. A harness supplies the
// implementation under test and a way to watch it from outside:
//   bool Available(); MouseInjector& Mouse(); PointerReader& Pointer(); InputWatch& Watch();
//   KeySender& Sender(); void HoldF5(bool); WindowHandle MakeWindow(l, t, w, h);
//   WindowHandle UnknownWindow(); int WheelNotchesSeen(); std::vector<std::string> KeysSeen();
template <class Harness>
class DesktopContract : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!harness.Available()) GTEST_SKIP() << "no desktop to test against";
    }
    PointerPos MovedTo(std::int32_t x, std::int32_t y) {
        const ScreenSize size = harness.Mouse().ScreenSizePixels();
        harness.Mouse().MoveAbsolute(CMouseEvent::Normalise(x, size.width),
                                     CMouseEvent::Normalise(y, size.height));
        return harness.Pointer().Position();
    }
    Harness harness;
};

TYPED_TEST_SUITE_P(DesktopContract);

// Absolute moves land on the pixel they were normalised from, clamped to the
// screen; relative ones shift the pointer by their displacement.
TYPED_TEST_P(DesktopContract, MovesLandOnTheirPixels) {
    const ScreenSize size = this->harness.Mouse().ScreenSizePixels();
    ASSERT_GT(size.width, 0);
    ASSERT_GT(size.height, 0);
    MouseInjector& mouse = this->harness.Mouse();
    mouse.MoveAbsolute(65535, 65535);
    EXPECT_EQ(this->harness.Pointer().Position(), (PointerPos{size.width - 1, size.height - 1}));
    mouse.MoveAbsolute(-100, 70000);
    EXPECT_EQ(this->harness.Pointer().Position(), (PointerPos{0, size.height - 1}));
    for (PointerPos p : {PointerPos{0, 0}, PointerPos{size.width / 3, size.height / 4},
                         PointerPos{1, 2}, PointerPos{size.width - 2, size.height / 2}})
        EXPECT_EQ(this->MovedTo(p.x, p.y), p);
    ASSERT_EQ(this->MovedTo(100, 100), (PointerPos{100, 100}));
    mouse.MoveRelative(10, -5);
    EXPECT_EQ(this->harness.Pointer().Position(), (PointerPos{110, 95}));
    mouse.MoveRelative(-30, 40);
    EXPECT_EQ(this->harness.Pointer().Position(), (PointerPos{80, 135}));
}

// Presses shorter than any poll are reported all the same, in order, each with the
// pointer's position and a time on the watch's clock.
TYPED_TEST_P(DesktopContract, TheWatchReportsEveryPressAndReleaseInOrder) {
    using Kind = InputEvent::Kind;
    InputWatch& watch = this->harness.Watch();
    MouseInjector& mouse = this->harness.Mouse();
    ASSERT_TRUE(watch.Start());
    const std::uint32_t start = watch.NowMs();
    this->MovedTo(50, 60);
    mouse.PressLeftButton();
    mouse.ReleaseLeftButton();
    this->harness.HoldF5(true);
    this->harness.HoldF5(false);
    this->MovedTo(70, 80);
    mouse.PressLeftButton();
    mouse.ReleaseLeftButton();
    std::vector<InputEvent> seen;
    for (int i = 0; i < 200 && seen.size() < 6; ++i) {
        for (const InputEvent& e : watch.Take()) seen.push_back(e);
        if (seen.size() < 6) watch.Await(5);
    }
    const std::uint32_t end = watch.NowMs();
    watch.Stop();
    std::vector<Kind> kinds;
    for (const InputEvent& e : seen) kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::LeftPress, Kind::LeftRelease, Kind::F5Press,
                                        Kind::F5Release, Kind::LeftPress, Kind::LeftRelease}));
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[1].at, (PointerPos{50, 60}));
    EXPECT_EQ(seen[5].at, (PointerPos{70, 80}));
    std::uint32_t previous = start;
    for (const InputEvent& e : seen) {
        EXPECT_LE(e.timeMs - start, end - start);
        EXPECT_GE(e.timeMs - start, previous - start);
        previous = e.timeMs;
    }
}

TYPED_TEST_P(DesktopContract, WindowRectanglesAreInScreenPixels) {
    WindowHandle window = this->harness.MakeWindow(100, 50, 201, 101);
    auto edges = [this](WindowHandle w) {
        WindowRect r = this->harness.Mouse().WindowRectangle(w);
        return std::vector<std::int32_t>{r.left, r.top, r.right, r.bottom};
    };
    EXPECT_EQ(edges(window), (std::vector<std::int32_t>{100, 50, 301, 151}));
    EXPECT_EQ(edges(this->harness.UnknownWindow()), (std::vector<std::int32_t>{0, 0, 0, 0}));
}

TYPED_TEST_P(DesktopContract, TheWheelTurnsWholeNotchesAndKeysArriveInOrder) {
    this->MovedTo(200, 200);
    for (const auto& [amount, notches] : {std::pair{-240, -2}, {360, 3}, {0, 0}}) {
        this->harness.Mouse().Wheel(amount);
        EXPECT_EQ(this->harness.WheelNotchesSeen(), notches) << amount;
    }
    for (SentKey key : {SentKey::Escape, SentKey::Return, SentKey::Escape})
        this->harness.Sender().Send(key);
    EXPECT_EQ(this->harness.KeysSeen(), (std::vector<std::string>{"Escape", "Return", "Escape"}));
}

REGISTER_TYPED_TEST_SUITE_P(DesktopContract, MovesLandOnTheirPixels,
                            TheWatchReportsEveryPressAndReleaseInOrder,
                            WindowRectanglesAreInScreenPixels,
                            TheWheelTurnsWholeNotchesAndKeysArriveInOrder);

}  // namespace vx::testing
