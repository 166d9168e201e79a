// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "remote/remote_fixture.h"

namespace vx {
namespace {

using testing::Log;
using testing::ScriptedDesk;

class Recording : public testing::RemoteFixture {
  protected:
    Recording() {
        settings.ShutdownDelay = 40;
        settings.SafetyConfigure = false;
    }
    using Clicks = std::vector<std::array<std::int32_t, 3>>;
    // The interval and position of clicks 1..n.
    Clicks Script() const {
        Clicks clicks;
        for (std::size_t i = 1; i <= settings.ClickCount; ++i)
            clicks.push_back({settings.ClickIntervals[i], settings.ClickX[i], settings.ClickY[i]});
        return clicks;
    }
};

TEST_F(Recording, F5BeforeAnyClickRecordsNothingAndShutsTheGameDown) {
    settings.ClickCount = 3;
    settings.ClickX[2] = 99;
    F5At(120, 80);
    EXPECT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(settings.ClickCount, 0);
    EXPECT_EQ(settings.ClickX[2], 0);
    EXPECT_TRUE(boxes.shown.empty());
    // The keys follow the release of F5, never its press.
    Log expected = testing::ShutdownKeys(40);
    expected.insert(expected.begin(), "hand F5 up");
    EXPECT_EQ(testing::From(desk.Events(), "hand F5 down").size(), 2 + expected.size());
    EXPECT_EQ(testing::From(desk.Events(), "hand F5 up"), expected);
    EXPECT_EQ(desk.beeper.beeps, 0);
}

// The clock starts just before the launch; each interval ends at the release's own
// moment, also for clicks shorter than a poll, and also when the clock wraps.
TEST_F(Recording, AClickIsRecordedAtItsReleasePositionAndTime) {
    desk.now = 0xFFFFFFFFu - 95;
    desk.After(100, [](ScriptedDesk& d) { d.PressLeft({320, 240}); });
    desk.After(400, [](ScriptedDesk& d) { d.pointer = {330, 250}; });
    desk.After(600, [](ScriptedDesk& d) { d.ReleaseLeft(); });
    ClickAt(901, 10, 470, 1);  // three 1-ms clicks inside one 5-ms rest
    ClickAt(903, 20, 20, 1);
    ClickAt(905, 30, 30, 1);
    F5At(1200);
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(Script(), (Clicks{{600, 330, 250}, {302, 10, 470}, {2, 20, 20}, {2, 30, 30}}));
    EXPECT_EQ(settings.ClickIntervals[0], 0);
    EXPECT_EQ(settings.ClickX[5], 0);
    EXPECT_EQ(desk.beeper.beeps, 4);
}

// A click lands where it was recorded: the position is scaled by the start-up
// screen over the screen at the click, and replayed across the screen as it is
// then, also when the game switched the mode.
TEST(RecordingScreens, AClickIsReplayedOnTheScreenPixelItWasRecordedAt) {
    const ScreenSize rows[][2] = {{{1024, 768}, {1024, 768}},
                                  {{1920, 1080}, {640, 480}},
                                  {{640, 480}, {640, 480}},
                                  {{1280, 960}, {640, 480}},
                                  {{1280, 1024}, {1280, 1024}}};
    for (const auto& [atStart, whileGameRuns] : rows) {
        for (const PointerPos p : {PointerPos{0, 0}, PointerPos{1, 2}, PointerPos{320, 240},
                                   PointerPos{whileGameRuns.width - 1, whileGameRuns.height - 1}}) {
            ScriptedDesk desk;
            testing::ScriptedMessageBoxes boxes;
            desk.screen = atStart;
            ClickScriptRemote remote(desk.Platform(), boxes, desk.beeper);
            desk.screen = whileGameRuns;
            desk.After(50, [p](ScriptedDesk& d) { d.PressLeft(p); });
            desk.After(60, [](ScriptedDesk& d) { d.ReleaseLeft(); });
            desk.After(100, [](ScriptedDesk& d) { d.HoldF5(true); });
            desk.After(110, [](ScriptedDesk& d) { d.HoldF5(false); });
            Settings settings;
            settings.ShowInformation = false;
            ASSERT_TRUE(remote.RecordScript(settings) && settings.ClickCount == 1);
            desk.pointer = {};
            remote.ReplayClickScript(settings);
            EXPECT_EQ(desk.pointer, p) << atStart.width << " " << whileGameRuns.width;
        }
    }
}

// A screen that measures nothing while the game runs keeps the pixels as they are.
TEST_F(Recording, AnUnmeasuredScreenKeepsThePixel) {
    desk.screen = {0, 0};
    ClickAt(100, 5, 7);
    F5At(300);
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(Script(), (Clicks{{140, 5, 7}}));
}

TEST_F(Recording, F5EndsTheRecordingOnlyWhenDownAfterARelease) {
    desk.After(20, [](ScriptedDesk& d) { d.ReleaseLeft(); });  // pressed before the recording
    ClickAt(100, 64, 48, 200);  // F5 pressed and let go during a press is ignored
    F5At(150, 50);
    ClickAt(500, 128, 96, 200);  // held from 500 to 700
    F5At(600, 200);              // down from 600 to 800: ends after the release
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(Script(), (Clicks{{300, 64, 48}, {400, 128, 96}}));
    EXPECT_EQ(desk.Actions(), (Log{"launch /games/gpl/gpl.exe", "hand F5 down", "hand F5 up",
                                   "beep", "hand F5 down", "beep", "hand F5 up", "key Escape",
                                   "key Escape", "key Escape", "key Return", "key Return"}));
}

// The 255th click ends the recording as F5 would; a held F5 is let go first.
TEST_F(Recording, TheScriptEndsByItselfWithThe255thClick) {
    for (bool f5Held : {false, true}) {
        desk.Advance(10000);  // the clicks left over from the run before
        desk.log.clear();
        for (std::uint32_t i = 0; i < 260; ++i)
            ClickAt(20 + 30 * i, static_cast<std::int32_t>(i), 5, 10);
        if (f5Held) F5At(20 + 30 * 254 + 5, 500);
        ASSERT_TRUE(remote.RecordScript(settings));
        EXPECT_EQ(settings.ClickCount, 255);
        EXPECT_EQ(settings.ClickX[255], 254);
        EXPECT_EQ(settings.ClickX[0], 0);
        EXPECT_EQ(desk.WithPrefix("beep").size(), 255u);
        Log expected = testing::ShutdownKeys(40);
        expected.insert(expected.begin(), f5Held ? "hand F5 up" : "beep");
        const Log events = desk.Events();
        EXPECT_EQ(Log(events.end() - 10, events.end()), expected) << f5Held;
    }
}

TEST_F(Recording, SafetyAndInformationBoxesAskFirstAndTheirCancelKeepsTheScript) {
    settings.ShowInformation = settings.SafetyConfigure = true;
    settings.ClickCount = 2;
    settings.ClickX[1] = 77;
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Ok, BoxAnswer::Cancel};
    EXPECT_FALSE(remote.RecordScript(settings));
    EXPECT_FALSE(remote.RecordScript(settings));
    const std::string safety =
        testing::Box(kSafetyTitle, kOverwriteScriptQuestion, 'E', "ok cancel");
    const std::string info = testing::Box(kInfoTitle, kRecordInfo, 'I', "ok cancel");
    EXPECT_EQ(testing::Shown(boxes), (Log{safety, safety, info}));
    EXPECT_EQ(settings.ClickCount, 2);
    EXPECT_EQ(settings.ClickX[1], 77);
    EXPECT_TRUE(desk.log.empty());

    // No safety request without the setting, nor (after that run) without a script.
    for (bool withSafety : {false, true}) {
        boxes.shown.clear();
        settings.SafetyConfigure = withSafety;
        F5At(10);
        EXPECT_TRUE(remote.RecordScript(settings));
        EXPECT_EQ(testing::Shown(boxes), (Log{info}));
    }
}

TEST_F(Recording, ACancelledRecordingKeepsTheOldScriptAndSendsNoKeys) {
    settings.ClickCount = 1;
    settings.ClickX[1] = 77;
    // Closed while waiting for the next click, and while F5 is still held.
    for (bool f5Held : {false, true}) {
        const std::uint32_t start = desk.now;
        ClickAt(100, 5, 5);
        if (f5Held) F5At(200, 5000);
        desk.onPump = [&] {
            if (desk.now - start >= 300) remote.CancelRunning();
        };
        EXPECT_FALSE(remote.RecordScript(settings)) << f5Held;
        EXPECT_EQ(settings.ClickCount, 1);
        EXPECT_EQ(settings.ClickX[1], 77);
        EXPECT_TRUE(desk.WithPrefix("key").empty());
    }
}

TEST_F(Recording, AFailedLaunchLeavesTheScriptEmptyAndSendsNothing) {
    settings.ClickCount = 4;
    settings.ClickIntervals[4] = 10;
    desk.launchOutcome = LaunchResult::Outcome::Failed;
    EXPECT_FALSE(remote.RecordScript(settings));
    EXPECT_EQ(settings.ClickCount, 0);
    EXPECT_EQ(settings.ClickIntervals[4], 0);
    EXPECT_EQ(testing::Shown(boxes), (Log{testing::Box(kErrorTitle, kLaunchFailed, 'C', "ok")}));
    EXPECT_EQ(desk.Events(), (Log{"launch /games/gpl/gpl.exe"}));
}

}  // namespace
}  // namespace vx
