// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "remote/remote_fixture.h"

namespace vx {
namespace {

using Log = std::vector<std::string>;

class Recording : public testing::RemoteFixture {
  protected:
    Recording() { settings.ShutdownDelay = 40; }
};

TEST_F(Recording, F5BeforeAnyClickRecordsNothingAndShutsTheGameDown) {
    settings.ClickCount = 3;
    settings.ClickX[2] = 99;
    settings.SafetyConfigure = false;
    F5At(120, 80);
    EXPECT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(settings.ClickCount, 0);
    EXPECT_EQ(settings.ClickX[2], 0);
    EXPECT_EQ(desk.beeper.beeps, 0);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(desk.Events().front(), "launch /games/gpl/gpl.exe");
    // The keys follow the release of F5, never its press.
    Log expected = ShutdownKeys(40);
    expected.insert(expected.begin(), "hand F5 up");
    EXPECT_EQ(From(desk.Events(), "hand F5 up"), expected);
    EXPECT_EQ(desk.WithPrefix("down").size() + desk.WithPrefix("abs").size(), 0u);
}

TEST_F(Recording, LongPressIsOneClickAtTheReleasePositionAndTime) {
    desk.After(100, [](testing::ScriptedDesk& d) { d.PressLeft({320, 240}); });
    desk.After(400, [](testing::ScriptedDesk& d) { d.pointer = {330, 250}; });
    desk.After(600, [](testing::ScriptedDesk& d) { d.ReleaseLeft(); });
    ClickAt(900, 10, 470);
    F5At(1200);
    ASSERT_TRUE(remote.RecordScript(settings));
    ASSERT_EQ(settings.ClickCount, 2);
    // The clock starts just before the launch; each interval ends at a release.
    EXPECT_EQ(settings.ClickIntervals[1], 600);
    EXPECT_EQ(settings.ClickIntervals[2], 340);
    // The screen is as large as at start-up: the pixels themselves.
    EXPECT_EQ(settings.ClickX[1], 330);
    EXPECT_EQ(settings.ClickY[1], 250);
    EXPECT_EQ(settings.ClickX[2], 10);
    EXPECT_EQ(settings.ClickY[2], 470);
    EXPECT_EQ(settings.ClickIntervals[0], 0);
    EXPECT_EQ(settings.ClickX[3], 0);
    EXPECT_EQ(desk.beeper.beeps, 2);
}

TEST_F(Recording, ShortClicksAreNoneLostAndTimedByTheirOwnEvents) {
    // Three 1-ms clicks inside one 5-ms rest of the wait.
    ClickAt(101, 10, 10, 1);
    ClickAt(103, 20, 20, 1);
    ClickAt(105, 30, 30, 1);
    F5At(200);
    ASSERT_TRUE(remote.RecordScript(settings));
    ASSERT_EQ(settings.ClickCount, 3);
    EXPECT_EQ(settings.ClickIntervals[1], 102);
    EXPECT_EQ(settings.ClickIntervals[2], 2);
    EXPECT_EQ(settings.ClickIntervals[3], 2);
    EXPECT_EQ(settings.ClickX[3], 30);
}

// A click lands where it was recorded: the position is scaled by the start-up
// screen over the screen at the click, and replayed across the screen as it is
// then, also when the game switched the mode (1920 x 1080 at start-up, 640 x 480
// while it runs).
TEST(RecordingScreens, AClickIsReplayedOnTheScreenPixelItWasRecordedAt) {
    const ScreenSize rows[][2] = {{{1024, 768}, {1024, 768}},
                                  {{1920, 1080}, {640, 480}},
                                  {{640, 480}, {640, 480}},
                                  {{1280, 960}, {640, 480}},
                                  {{1280, 1024}, {1280, 1024}}};
    for (const auto& [atStart, whileGameRuns] : rows) {
        for (const PointerPos p : {PointerPos{0, 0}, PointerPos{1, 2}, PointerPos{320, 240},
                                   PointerPos{whileGameRuns.width - 1, whileGameRuns.height - 1}}) {
            testing::ScriptedDesk desk;
            testing::ScriptedMessageBoxes boxes;
            desk.screen = atStart;
            ClickScriptRemote remote(desk.Platform(), boxes, desk.beeper);
            Settings settings;
            settings.GPLFolder = "/games/gpl";
            settings.ShowInformation = false;
            desk.screen = whileGameRuns;
            desk.After(50, [p](testing::ScriptedDesk& d) { d.PressLeft(p); });
            desk.After(60, [](testing::ScriptedDesk& d) { d.ReleaseLeft(); });
            desk.After(100, [](testing::ScriptedDesk& d) { d.HoldF5(true); });
            desk.After(110, [](testing::ScriptedDesk& d) { d.HoldF5(false); });
            ASSERT_TRUE(remote.RecordScript(settings));
            ASSERT_EQ(settings.ClickCount, 1);
            desk.pointer = {};
            remote.ReplayClickScript(settings);
            EXPECT_EQ(desk.pointer, p) << atStart.width << " " << whileGameRuns.width;
        }
    }
}

TEST_F(Recording, F5WhileTheButtonIsHeldEndsOnlyAfterTheRelease) {
    ClickAt(100, 64, 48, 200);  // held from 100 to 300
    F5At(200, 200);             // down from 200 to 400
    ASSERT_TRUE(remote.RecordScript(settings));
    ASSERT_EQ(settings.ClickCount, 1);
    EXPECT_EQ(settings.ClickIntervals[1], 300);
    EXPECT_EQ(settings.ClickX[1], 64);
    Log actions = desk.Actions();
    EXPECT_EQ(From(actions, "beep").at(1), "hand F5 up");
    EXPECT_EQ(From(actions, "hand F5 up").at(1), "key Escape");

    // F5 pressed and let go during a press does not end the recording.
    desk.log.clear();
    ClickAt(100, 64, 48, 200);
    F5At(150, 50);
    ClickAt(500, 128, 96);
    F5At(800);
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(settings.ClickCount, 2);
}

TEST_F(Recording, IntervalsSurviveTheClockWrapping) {
    desk.now = 0xFFFFFFFFu - 95;
    ClickAt(100, 0, 0, 100);  // released 200 ms later, past the wrap
    ClickAt(400, 0, 0);
    F5At(600);
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(settings.ClickIntervals[1], 200);
    EXPECT_EQ(settings.ClickIntervals[2], 240);
}

TEST_F(Recording, TheScriptEndsByItselfWithThe255thClick) {
    for (std::uint32_t i = 0; i < 260; ++i)
        ClickAt(20 + 30 * i, static_cast<std::int32_t>(i), 5, 10);
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(settings.ClickCount, 255);
    EXPECT_EQ(desk.beeper.beeps, 255);
    EXPECT_EQ(settings.ClickX[255], 254);
    EXPECT_EQ(settings.ClickX[0], 0);
    // No F5 was pressed: the shutdown keys follow the last beep at once.
    Log expected = ShutdownKeys(40);
    expected.insert(expected.begin(), "beep");
    Log events = desk.Events();
    EXPECT_EQ(Log(events.end() - 10, events.end()), expected);
}

TEST_F(Recording, AFullScriptWaitsForAHeldF5ToBeReleased) {
    for (std::uint32_t i = 0; i < 255; ++i) ClickAt(20 + 30 * i, 0, 0, 10);
    F5At(20 + 30 * 254 + 5, 500);
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(settings.ClickCount, 255);
    Log actions = desk.Actions();
    EXPECT_EQ(From(actions, "hand F5 up").at(1), "key Escape");
    EXPECT_EQ(From(actions, "hand F5 down").at(1), "beep");
}

TEST_F(Recording, SafetyAndInformationBoxesAndTheirCancel) {
    settings.ShowInformation = true;
    settings.SafetyConfigure = true;
    settings.ClickCount = 2;
    settings.ClickX[1] = 77;
    boxes.answers = {BoxAnswer::Cancel};
    EXPECT_FALSE(remote.RecordScript(settings));
    ASSERT_EQ(boxes.shown.size(), 1u);
    testing::ExpectBox(boxes.shown[0], "Vistolarex: Safety request",
                       "This will overwrite your previously recorded script. Continue?",
                       BoxIcon::Exclamation, BoxButtons::OkCancel);
    EXPECT_EQ(settings.ClickCount, 2);
    EXPECT_EQ(settings.ClickX[1], 77);
    EXPECT_TRUE(desk.log.empty());

    boxes.shown.clear();
    boxes.answers = {BoxAnswer::Ok, BoxAnswer::Cancel};
    EXPECT_FALSE(remote.RecordScript(settings));
    ASSERT_EQ(boxes.shown.size(), 2u);
    testing::ExpectBox(boxes.shown[1], "Vistolarex: Info",
                       "GPL will now be launched and the recording of mouseclicks will begin. For "
                       "further details see online help.",
                       BoxIcon::Information, BoxButtons::OkCancel);
    EXPECT_EQ(settings.ClickCount, 2);
    EXPECT_TRUE(desk.log.empty());

    // No safety request without the setting, nor (after that run) without a script.
    for (bool safety : {false, true}) {
        boxes.shown.clear();
        settings.SafetyConfigure = safety;
        F5At(10);
        EXPECT_TRUE(remote.RecordScript(settings));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Info");
    }
}

TEST_F(Recording, ACancelledRecordingKeepsTheOldScriptAndSendsNoKeys) {
    settings.ClickCount = 1;
    settings.ClickX[1] = 77;
    settings.SafetyConfigure = false;
    // Closed while waiting for the next click, and while F5 is still held.
    for (bool f5Held : {false, true}) {
        const std::uint32_t start = desk.now;
        const std::uint32_t cancelAfter = 300;
        ClickAt(100, 5, 5);
        if (f5Held) F5At(200, 5000);
        desk.onPump = [&] {
            if (desk.now - start >= cancelAfter) remote.CancelRunning();
        };
        EXPECT_FALSE(remote.RecordScript(settings)) << cancelAfter;
        EXPECT_EQ(settings.ClickCount, 1);
        EXPECT_EQ(settings.ClickX[1], 77);
        EXPECT_TRUE(desk.WithPrefix("key").empty());
    }
}

TEST_F(Recording, AFailedLaunchLeavesTheScriptEmptyAndSendsNothing) {
    settings.ClickCount = 4;
    settings.ClickIntervals[4] = 10;
    settings.SafetyConfigure = false;
    desk.launchOutcome = LaunchResult::Outcome::Failed;
    EXPECT_FALSE(remote.RecordScript(settings));
    EXPECT_EQ(settings.ClickCount, 0);
    EXPECT_EQ(settings.ClickIntervals[4], 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    testing::ExpectBox(boxes.shown[0], "Vistolarex: Error", testing::kLaunchError,
                       BoxIcon::Critical, BoxButtons::Ok);
    EXPECT_EQ(desk.Events(), (Log{"launch /games/gpl/gpl.exe"}));
}

}  // namespace
}  // namespace vx
