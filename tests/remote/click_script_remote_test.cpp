// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "remote/remote_fixture.h"

namespace vx {
namespace {

using Log = std::vector<std::string>;

const char* const kLongInfo =
    "GPL will now be launched and the recorded sequence of mouseclicks will be played. After that "
    "you can shutdown automatically by pressing F5. For further details see online help.";

class Remote : public testing::RemoteFixture {
  protected:
    Remote() {
        settings.ClickCount = 2;
        settings.ClickIntervals[1] = 2000;
        settings.ClickX[1] = 512;
        settings.ClickY[1] = 0;
        settings.ClickIntervals[2] = 700;
        settings.ClickX[2] = 1024;
        settings.ClickY[2] = 384;
        settings.ShutdownDelay = 1500;
    }

    // The script replayed and the beep, then the hand's F5 and the shutdown keys.
    void ExpectReplayThenShutdown(std::int32_t delay) const {
        Log replay{"launch /games/gpl/gpl.exe", "wait 2000"};
        for (const char* at : {"abs 32768 0", "abs 65535 32768"}) {
            for (const char* e : {at, "wait 100", "down", "wait 250", "up"}) replay.push_back(e);
            replay.push_back("wait 700");
        }
        replay.back() = "beep";
        const Log events = desk.Events();
        ASSERT_GE(events.size(), replay.size());
        EXPECT_EQ(Log(events.begin(), events.begin() + static_cast<long>(replay.size())), replay);
        Log shutdown = ShutdownKeys(delay);
        shutdown.insert(shutdown.begin(), "hand F5 up");
        EXPECT_EQ(From(events, "hand F5 up"), shutdown);
        EXPECT_EQ(From(desk.Actions(), "beep").at(1), "hand F5 down");
    }
};

TEST_F(Remote, EditorTestWithoutReplayOnlyLaunches) {
    settings.PlayScript = false;
    settings.ShowInformation = true;
    remote.TestFromEditor(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    testing::ExpectBox(boxes.shown[0], "Vistolarex: Info", "GPL will now be launched.",
                       BoxIcon::Information, BoxButtons::OkCancel);
    // No replay, no wait for F5, no keys.
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe"}));
    EXPECT_EQ(desk.beeper.beeps, 0);

    desk.log.clear();
    boxes.answers = {BoxAnswer::Cancel};
    remote.TestFromEditor(settings);
    EXPECT_TRUE(desk.log.empty());

    boxes.shown.clear();
    settings.ShowInformation = false;
    desk.launchOutcome = LaunchResult::Outcome::Failed;
    remote.TestFromEditor(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    testing::ExpectBox(boxes.shown[0], "Vistolarex: Error", testing::kLaunchError,
                       BoxIcon::Critical, BoxButtons::Ok);
    // A Windows game without wine says why in a line of its own.
    boxes.shown.clear();
    desk.launchOutcome = LaunchResult::Outcome::WineMissing;
    remote.TestFromEditor(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              testing::kLaunchError +
                  "\r\nWindows programs are started through wine, which is not installed.");
    desk.launchOutcome = LaunchResult::Outcome::Failed;

    // The dialog's test fails the same way, before any replay.
    boxes.shown.clear();
    desk.log.clear();
    remote.TestScript(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Error");
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe"}));
    EXPECT_EQ(desk.beeper.beeps, 0);
}

TEST_F(Remote, EditorTestWithReplayClicksBeepsWaitsForF5AndShutsDown) {
    settings.PlayScript = true;
    settings.ShowInformation = true;
    F5At(5000, 120);
    remote.TestFromEditor(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    testing::ExpectBox(boxes.shown[0], "Vistolarex: Info", kLongInfo, BoxIcon::Information,
                       BoxButtons::OkCancel);
    ExpectReplayThenShutdown(1500);

    // Cancel in the box starts nothing.
    desk.log.clear();
    boxes.answers = {BoxAnswer::Cancel};
    remote.TestFromEditor(settings);
    EXPECT_TRUE(desk.log.empty());
}

TEST_F(Remote, DialogTestAlwaysReplaysAndHonoursTheWorkingCopy) {
    settings.PlayScript = false;
    settings.ShowInformation = false;
    settings.ShutdownDelay = 50;
    F5At(4000);
    remote.TestScript(settings);
    EXPECT_TRUE(boxes.shown.empty());
    ExpectReplayThenShutdown(50);

    settings.ShowInformation = true;
    boxes.answers = {BoxAnswer::Cancel};
    desk.log.clear();
    remote.TestScript(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kLongInfo);
    EXPECT_TRUE(desk.log.empty());
}

TEST_F(Remote, AnEmptyScriptBeepsAtOnceAndWaitsForF5) {
    settings.ClickCount = 0;
    F5At(300);
    remote.TestScript(settings);
    Log actions = desk.Actions();
    ASSERT_GE(actions.size(), 4u);
    EXPECT_EQ(Log(actions.begin(), actions.begin() + 4),
              (Log{"launch /games/gpl/gpl.exe", "beep", "hand F5 down", "hand F5 up"}));
}

TEST_F(Remote, GameRunsInItsFolderAndIsBroughtToTheFrontWhileTheRemoteWaits) {
    settings.ClickCount = 0;
    F5At(300);
    remote.TestScript(settings);
    EXPECT_EQ(desk.workingFolder, "/games/gpl");
    EXPECT_EQ(desk.gamePid, 4711);
    EXPECT_GE(desk.frontLooks, 300 / kPollPauseMs);
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

TEST_F(Remote, KeysAreNotSentWhileTheFocusIsInOurOwnWindow) {
    std::string status;
    remote.SetStatusLine([&](const std::string& text) { status = text; });
    settings.ClickCount = 0;
    desk.focusInOwnWindow = true;
    F5At(100);
    remote.TestScript(settings);
    EXPECT_TRUE(desk.WithPrefix("key").empty());
    EXPECT_EQ(status,
              "The keyboard focus is in Vistolarex, not in GPL: the shutdown keys were not sent. "
              "Ready.");
}

TEST_F(Remote, WithoutAnX11DisplayEveryOperationSaysSoAndStartsNothing) {
    desk.displayAvailable = false;
    remote.TestFromEditor(settings);
    remote.TestScript(settings);
    EXPECT_FALSE(remote.RecordScript(settings));
    ASSERT_EQ(boxes.shown.size(), 3u);
    for (const auto& box : boxes.shown)
        testing::ExpectBox(box, "Vistolarex: Error",
                           "The game remote needs an X11 display: GPL runs under wine as an X11 "
                           "client. Start Vistolarex in an X11 session, or in a Wayland session "
                           "with XWayland.",
                           BoxIcon::Critical, BoxButtons::Ok);
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
        int beepsBefore = desk.beeper.beeps;
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
    EXPECT_EQ(desk.beeper.beeps, 7);

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
    EXPECT_EQ(remote.MouseDriver().ScreenWidth(), 2048);
    EXPECT_EQ(remote.ScreenWidthAtStart(), 1024);
    EXPECT_EQ(remote.ScreenHeightAtStart(), 768);
}

}  // namespace
}  // namespace vx
