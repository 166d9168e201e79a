// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "remote/remote_fixture.h"

namespace vx {
namespace {

using testing::Log;

class Remote : public testing::RemoteFixture {
  protected:
    Remote() {
        settings.ClickCount = 2;
        settings.ClickIntervals = {0, 2000, 700};
        settings.ClickX = {0, 512, 1024};
        settings.ClickY = {0, 0, 384};
        settings.ShutdownDelay = 1500;
    }
};

TEST_F(Remote, EditorTestWithoutReplayOnlyLaunchesAndALaunchFailureSaysWhy) {
    settings.PlayScript = false;
    settings.ShowInformation = true;
    boxes.answers = {BoxAnswer::Ok, BoxAnswer::Cancel};
    remote.TestFromEditor(settings);
    remote.TestFromEditor(settings);  // cancelled in the box
    const std::string ask = testing::Box(kInfoTitle, kLaunchInfo, 'I', "ok cancel");
    EXPECT_EQ(testing::Shown(boxes), (Log{ask, ask}));
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe"}));  // no replay, F5 wait nor keys
    EXPECT_EQ(desk.workingFolder, "/games/gpl");
    EXPECT_EQ(desk.gamePid, 4711);

    // A Windows game without wine says why in a line of its own; the dialog's test
    // fails the same way, before any replay.
    boxes.shown.clear();
    desk.log.clear();
    settings.ShowInformation = false;
    desk.launchOutcome = LaunchResult::Outcome::Failed;
    remote.TestScript(settings);
    desk.launchOutcome = LaunchResult::Outcome::WineMissing;
    remote.TestFromEditor(settings);
    EXPECT_EQ(testing::Shown(boxes),
              (Log{testing::Box(kErrorTitle, kLaunchFailed, 'C', "ok"),
                   testing::Box(kErrorTitle, kLaunchFailed + std::string("\r\n") + kWineMissing,
                                'C', "ok")}));
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe", "launch /games/gpl/gpl.exe"}));
}

// The editor's Test with replay and the dialog's Test (always a replay, with the
// working copy's delay): the script clicked, a beep, then F5 and the shutdown keys.
TEST_F(Remote, ATestWithReplayClicksBeepsWaitsForF5AndShutsDown) {
    for (bool fromEditor : {true, false}) {
        desk.log.clear();
        boxes.shown.clear();
        settings.PlayScript = fromEditor;
        settings.ShowInformation = true;
        settings.ShutdownDelay = fromEditor ? 1500 : 50;
        boxes.answers = {BoxAnswer::Ok, BoxAnswer::Cancel};
        F5At(5000, 120);
        fromEditor ? remote.TestFromEditor(settings) : remote.TestScript(settings);
        Log expected{"launch /games/gpl/gpl.exe", "wait 2000"};
        for (const char* at : {"abs 32768 0", "abs 65535 32768"})
            expected.insert(expected.end(), {at, "wait 100", "down", "wait 250", "up", "wait 700"});
        expected.back() = "beep";
        expected.insert(expected.end(), {"wait 1600", "hand F5 down", "wait 120", "hand F5 up"});
        const Log keys = testing::ShutdownKeys(settings.ShutdownDelay);
        expected.insert(expected.end(), keys.begin(), keys.end());
        EXPECT_EQ(desk.Events(), expected) << fromEditor;

        desk.log.clear();
        fromEditor ? remote.TestFromEditor(settings) : remote.TestScript(settings);
        EXPECT_TRUE(desk.log.empty()) << "Cancel in the box starts nothing";
        const std::string ask = testing::Box(kInfoTitle, kReplayInfo, 'I', "ok cancel");
        EXPECT_EQ(testing::Shown(boxes), (Log{ask, ask}));
    }
}

// The shutdown keys go to the game only: with the focus in our own window, the
// status line says why none were sent.
TEST_F(Remote, AnEmptyScriptBeepsAtOnceAndTheGameIsKeptInFrontWhileItWaits) {
    std::string status;
    remote.SetStatusLine([&](const std::string& text) { status = text; });
    settings.ClickCount = 0;
    for (bool focusHere : {false, true}) {
        desk.log.clear();
        desk.focusInOwnWindow = focusHere;
        F5At(300);
        remote.TestScript(settings);
        const Log actions = desk.Actions();
        EXPECT_EQ(Log(actions.begin(), actions.begin() + 4),
                  (Log{"launch /games/gpl/gpl.exe", "beep", "hand F5 down", "hand F5 up"}));
        EXPECT_EQ(desk.WithPrefix("key").size(), focusHere ? 0u : 5u);
        EXPECT_EQ(status, focusHere ? kFocusInVistolarex : "");
    }
    EXPECT_GE(desk.frontLooks, 600 / kPollPauseMs);
}

// Pauses keep the windows alive; damaged intervals replay as no pause or as the cap.
TEST_F(Remote, ReplayPausesRunTheWindowsMessagesAndStayWithinTenMinutes) {
    const std::int32_t rows[][2] = {{-5, 0},          {-2147483647 - 1, 0}, {60000, 60000},
                                    {600000, 600000}, {600001, 600000},     {2147483647, 600000}};
    desk.giveUpAfterMs = 4000000;
    for (const auto& [interval, paused] : rows) {
        desk.log.clear();
        desk.pumps = 0;
        settings.ClickCount = 1;
        settings.ClickIntervals[1] = interval;
        F5At(static_cast<std::uint32_t>(paused) + 1000);
        remote.TestScript(settings);
        const Log events = desk.Events();
        EXPECT_EQ(events.at(1), paused > 0 ? "wait " + std::to_string(paused) : "abs 32768 0")
            << interval;
        EXPECT_GE(desk.pumps, paused / kPollPauseMs) << interval;
    }
}

// A handler that ran long during a click leaves the replay behind its schedule:
// far behind, the next pause starts afresh rather than rush into the game.
TEST_F(Remote, AReplayFarBehindItsScheduleStartsAfresh) {
    for (const std::uint32_t stall : {1000u, 30u}) {
        desk.log.clear();
        bool stalled = false;
        desk.onPump = [&] {
            if (stalled || desk.WithPrefix("down").size() != 1) return;
            stalled = true;
            desk.Advance(stall);
        };
        F5At(8000);
        remote.TestScript(settings);
        EXPECT_EQ(testing::From(desk.Events(), "up").at(1), stall > 50 ? "wait 700" : "wait 670");
    }
}

TEST_F(Remote, WithoutAnX11DisplayEveryOperationSaysSoAndStartsNothing) {
    desk.displayAvailable = false;
    remote.TestFromEditor(settings);
    remote.TestScript(settings);
    EXPECT_FALSE(remote.RecordScript(settings));
    const std::string box = testing::Box(kErrorTitle, kNoX11Display, 'C', "ok");
    EXPECT_EQ(testing::Shown(boxes), (Log{box, box, box}));
    EXPECT_TRUE(desk.log.empty());
    EXPECT_EQ(settings.ClickCount, 2);
}

// Whenever the user cancels (Exit, a closed dialog), nothing reaches the desktop
// afterwards but the release that finishes a click already pressed, and the run
// returns within that click's pause.
TEST_F(Remote, ACancelledRunSendsNothingMoreAndReturnsAtOnce) {
    for (int cancelAt = 1; cancelAt < 1500; cancelAt += 23) {
        desk.log.clear();
        desk.pumps = 0;
        F5At(4000);
        std::size_t cancelledAt = 0;
        std::uint32_t timeOfCancel = 0;
        desk.onPump = [&] {
            if (desk.pumps != cancelAt) return;
            remote.CancelRunning();
            cancelledAt = desk.log.size();
            timeOfCancel = desk.now;
        };
        remote.TestScript(settings);
        EXPECT_FALSE(remote.Running());
        if (cancelledAt == 0) continue;  // the run was over before
        const Log before(desk.log.begin(), desk.log.begin() + static_cast<long>(cancelledAt));
        const Log after(desk.log.begin() + static_cast<long>(cancelledAt), desk.log.end());
        const auto lastButton = std::find_if(
            before.rbegin(), before.rend(), [](const auto& e) { return e == "down" || e == "up"; });
        const bool clickOpen = lastButton != before.rend() && *lastButton == "down";
        for (const auto& entry : after) {
            if (entry == "up" && clickOpen) continue;
            EXPECT_TRUE(entry == "pump" || entry.rfind("sleep", 0) == 0 ||
                        entry.rfind("hand", 0) == 0)
                << "cancelled at pump " << cancelAt << ": " << entry;
        }
        EXPECT_LE(desk.now - timeOfCancel, 250u) << cancelAt;
    }
}

TEST_F(Remote, AClickOfAHandlerAlreadyRunningIsRefusedWithABeep) {
    settings.PlayScript = true;
    F5At(6000);
    int refused = 0;
    desk.onPump = [&] {
        if (desk.pumps != 1 && desk.pumps != 30) return;
        const int beepsBefore = desk.beeper.beeps;
        remote.TestFromEditor(settings);
        remote.TestScript(settings);
        Settings working = settings;
        EXPECT_FALSE(remote.RecordScript(working));
        EXPECT_EQ(working, settings);
        refused += desk.beeper.beeps - beepsBefore;
    };
    remote.TestFromEditor(settings);
    EXPECT_EQ(refused, 6);
    EXPECT_EQ(desk.WithPrefix("launch").size(), 1u);
    EXPECT_EQ(desk.WithPrefix("key").size(), 5u);

    // Once the run is over, the next one starts normally.
    desk.onPump = nullptr;
    desk.log.clear();
    settings.PlayScript = false;
    remote.TestFromEditor(settings);
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe"}));
}

TEST_F(Remote, ARenewedDriverTakesOverAtTheNextClick) {
    settings.ClickX[2] = 512;
    F5At(4000);
    desk.onPump = [&] {
        if (desk.WithPrefix("down").size() != 1 || remote.MouseDriver().ScreenWidth() != 1024)
            return;
        desk.screen = {2048, 1536};
        remote.RenewMouseDriver();  // while the first click is paused
    };
    remote.TestScript(settings);
    EXPECT_EQ(desk.WithPrefix("abs"), (Log{"abs 32768 0", "abs 16384 16384"}));
    EXPECT_EQ(remote.ScreenWidthAtStart(), 1024);
    EXPECT_EQ(remote.ScreenHeightAtStart(), 768);
}

}  // namespace
}  // namespace vx
