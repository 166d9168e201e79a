// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/click_script_remote.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "remote/remote_texts.h"
#include "remote/shutdown_keys.h"
#include "support/scripted_desk.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

using testing::ScriptedDesk;
using Log = std::vector<std::string>;

std::string Box(const std::string& title, const std::string& text, char icon, const char* buttons) {
    return title + "|" + text + "|" + icon + "|" + buttons;
}

Log Shown(const testing::ScriptedMessageBoxes& boxes) {
    Log out;
    for (const auto& b : boxes.shown)
        out.push_back(Box(b.title, b.text, "EIC"[static_cast<int>(b.icon)],
                          b.buttons == BoxButtons::Ok ? "ok" : "ok cancel"));
    return out;
}

Log ShutdownKeysAfter(std::int32_t delay) {
    Log keys{"key Escape", "wait " + std::to_string(delay)};
    for (std::string key : {"key Escape", "key Escape", "key Return"})
        keys.insert(keys.end(), {key, "wait " + std::to_string(QuarterDelay(delay))});
    keys.push_back("key Return");
    return keys;
}

class RemoteFixture : public ::testing::Test {
  protected:
    RemoteFixture() {
        settings.GPLFolder = "/games/gpl";
        settings.ShowInformation = false;
        remote.SetStatusLine([this](const std::string& text) { statuses.push_back(text); });
    }
    void ClickAt(std::uint32_t at, std::int32_t x, std::int32_t y, std::uint32_t hold = 40) {
        desk.After(at, [x, y](ScriptedDesk& d) { d.PressLeft({x, y}); });
        desk.After(at + hold, [](ScriptedDesk& d) { d.ReleaseLeft(); });
    }
    void F5At(std::uint32_t at, std::uint32_t hold = 50) {
        desk.After(at, [](ScriptedDesk& d) { d.HoldF5(true); });
        desk.After(at + hold, [](ScriptedDesk& d) { d.HoldF5(false); });
    }
    void Reset() {
        desk.log.clear();
        boxes.shown.clear();
        statuses.clear();
    }
    ScriptedDesk desk;
    testing::ScriptedMessageBoxes boxes;
    Settings settings;
    ClickScriptRemote remote{desk.Platform(), boxes, desk.beeper};
    GameWindowTracker game{desk, desk, desk};
    RemoteWaits waits{desk, desk, desk, game};
    Log statuses;
};

TEST(QuarterDelay, RoundsHalvesToEven) {
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        const std::int32_t delay = i < 40 ? i : static_cast<std::int32_t>(random() % 10000000);
        const std::int32_t down = delay / 4, rest = delay % 4;
        EXPECT_EQ(QuarterDelay(delay), down + (rest > 2 || (rest == 2 && down % 2 == 1)))
            << "seed case " << i << " delay " << delay;
    }
}

using ShutdownKeys = RemoteFixture;

// The keys are paced by the delay (a negative one counts as none) and its quarter;
// the wait for them ends only after F5 went down and up again.
TEST_F(ShutdownKeys, AreSentPacedAfterF5WentDownAndUpAgain) {
    for (const auto& [delay, first] : {std::pair{1500, 1500}, {0, 0}, {-400, 0}}) {
        desk.log.clear();
        EXPECT_TRUE(SendShutdownKeys(desk, waits, delay, [] { return true; }));
        Log expected = ShutdownKeysAfter(first);
        std::erase(expected, "wait 0");
        EXPECT_EQ(desk.Events(), expected) << "delay " << delay;
    }
    desk.log.clear();
    F5Tracker f5(desk);
    desk.Start();
    ClickAt(30, 1, 1, 0);  // a click is no shutdown key
    F5At(60, 140);
    std::uint32_t start = desk.now;
    EXPECT_TRUE(f5.WaitForShutdownKey(waits));
    EXPECT_EQ(desk.now - start, 200u);
    // Woken by the hand's changes only, with the windows' messages run each time:
    // a wait of hours costs nothing while nothing happens.
    EXPECT_LE(desk.WithPrefix("pump").size(), 5u);
    EXPECT_EQ(desk.log.front(), "pump");
    F5At(3, 1);  // a tap of a millisecond counts as well, at its release
    start = desk.now;
    EXPECT_TRUE(f5.WaitForShutdownKey(waits));
    EXPECT_EQ(desk.now - start, 4u);
}

class Remote : public RemoteFixture {
  protected:
    Remote() {
        settings.ClickCount = 2;
        settings.ClickIntervals = {0, 2000, 700};
        settings.ClickX = {0, 512, 1024};
        settings.ClickY = {0, 0, 384};
        settings.ShutdownDelay = 1500;
    }
    void Test(bool fromEditor) {
        fromEditor ? remote.TestFromEditor(settings) : remote.TestScript(settings);
    }
};

// Wine missing gets a line of its own; without a display nothing starts at all. A
// game that ends without a window sends nothing, however far the replay had got.
TEST_F(Remote, AFailureSaysWhy) {
    desk.launchOutcome = LaunchResult::Outcome::Failed;
    Test(false);
    desk.launchOutcome = LaunchResult::Outcome::WineMissing;
    Test(true);
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe", "launch /games/gpl/gpl.exe"}));
    desk.log.clear();
    desk.displayAvailable = false;
    Test(true);
    Test(false);
    EXPECT_FALSE(remote.RecordScript(settings));
    EXPECT_TRUE(desk.log.empty());
    EXPECT_EQ(settings.ClickCount, 2);
    const std::string noX = Box(kErrorTitle, kNoX11Display, 'C', "ok");
    EXPECT_EQ(Shown(boxes),
              (Log{Box(kErrorTitle, kLaunchFailed, 'C', "ok"),
                   Box(kErrorTitle, kLaunchFailed + std::string("\r\n") + kWineMissing, 'C', "ok"),
                   noX, noX, noX}));
    desk.displayAvailable = true;
    desk.launchOutcome = LaunchResult::Outcome::Started;
    desk.gameWindowAfterMs = std::nullopt;
    for (std::uint32_t end : {0u, 1000u, 3000u}) {
        Reset();
        desk.gameEndsAfterMs = end;
        Test(false);
        EXPECT_EQ(desk.Actions(), (Log{"launch /games/gpl/gpl.exe"})) << end;
        EXPECT_EQ(Shown(boxes), (Log{Box(kErrorTitle, kGameEndedWithoutWindow, 'C', "ok")}));
    }
}

// The editor's Test without replay only launches the game in its folder.
TEST_F(Remote, ATestWithReplayClicksBeepsWaitsForF5AndShutsDown) {
    for (const auto& [fromEditor, replay] : {std::pair{true, true}, {false, true}, {true, false}}) {
        Reset();
        settings.PlayScript = replay;
        settings.ShowInformation = true;
        settings.ShutdownDelay = fromEditor ? 1500 : 50;
        boxes.answers = {BoxAnswer::Ok, BoxAnswer::Cancel};
        F5At(5000, 120);
        Test(fromEditor);
        EXPECT_EQ(desk.workingFolder, "/games/gpl");
        Log expected{"launch /games/gpl/gpl.exe"};
        if (replay) {
            expected.push_back("wait 2000");
            for (const char* at : {"abs 32768 0", "abs 65535 32768"})
                expected.insert(expected.end(),
                                {at, "wait 100", "down", "wait 250", "up", "wait 700"});
            expected.back() = "beep";
            expected.insert(expected.end(),
                            {"wait 1600", "hand F5 down", "wait 120", "hand F5 up"});
            const Log keys = ShutdownKeysAfter(settings.ShutdownDelay);
            expected.insert(expected.end(), keys.begin(), keys.end());
        }
        EXPECT_EQ(desk.Events(), expected) << fromEditor << replay;
        const Log replayed{ReplayingClick(1, 2), ReplayingClick(2, 2), kPressF5, kShutdownKeysSent};
        EXPECT_EQ(statuses, replay ? replayed : Log{});
        desk.log.clear();
        Test(fromEditor);
        EXPECT_TRUE(desk.log.empty()) << "Cancel in the box starts nothing";
        const std::string ask =
            Box(kInfoTitle, replay ? kReplayInfo : kLaunchInfo, 'I', "ok cancel");
        EXPECT_EQ(Shown(boxes), (Log{ask, ask}));
    }
}

// F5 counts only in the game: another program that had the focus got it, and the
// wait goes on; the keys stop when the focus leaves the game.
TEST_F(Remote, TheShutdownKeysGoOnlyToTheGameWhileItHasTheFocus) {
    settings.ClickCount = 0;
    desk.refusesFocus = true;
    F5At(300);
    desk.After(500, [](ScriptedDesk& d) { d.focus = d.GameWindow(); });
    F5At(700);
    desk.After(2000, [](ScriptedDesk& d) { d.focus = 0; });  // during the delay's pause
    Test(false);
    EXPECT_EQ(desk.WithPrefix("hand F5 down").size(), 2u);
    EXPECT_EQ(desk.WithPrefix("key"), (Log{"key Escape"}));
    EXPECT_EQ(statuses, (Log{kPressF5, kF5OutsideGame, kFocusLeftGame}));
}

// Until the game shows a window nothing is sent; the replay's rhythm then goes on
// from the click actually sent. A window that was there before is never the game's,
// and a click off the game's window is skipped and named.
TEST_F(Remote, AClickWaitsForTheGamesWindowAndSkipsAPointOffIt) {
    desk.OpenFullScreen(77);  // a bystander on top of everything
    desk.gameWindowAfterMs = std::nullopt;
    desk.After(5000, [](ScriptedDesk& d) {
        d.OpenWindow(ScriptedDesk::kGamePid, {0, 0, 600, 400});
    });
    F5At(9000);
    Test(false);
    const Log events = desk.Events();
    EXPECT_EQ(Log(events.begin(), events.begin() + 9),
              (Log{"launch /games/gpl/gpl.exe", "wait 5000", "abs 32768 0", "wait 100", "down",
                   "wait 250", "up", "wait 700", "abs 65535 32768"}));
    EXPECT_EQ(statuses.at(1), kWaitingForGameWindow);
    EXPECT_EQ(desk.WithPrefix("down").size(), 1u);
    EXPECT_EQ(statuses.at(4), SkippedClicks({2}) + ReplayingClick(2, 2));
    EXPECT_EQ(statuses.back(), SkippedClicks({2}) + kShutdownKeysSent);
}

// The game's window: the first new one of the launched family, else the first new
// one at all; the one taken is brought to the front once.
TEST_F(RemoteFixture, TheGamesWindowIsTheFamilysElseTheFirstNewOne) {
    desk.gameChildren = {5000};
    desk.gameRunning = true;
    desk.OpenFullScreen(ScriptedDesk::kGamePid);
    game.Launching();
    game.Launched(ScriptedDesk::kGamePid);
    EXPECT_EQ(game.Window(), 0u) << "an old window of the same pid";
    const WindowHandle foreign = desk.OpenFullScreen(0);
    desk.OpenFullScreen(6000);
    game.Look(true);
    EXPECT_EQ(game.Window(), foreign);
    const WindowHandle child = desk.OpenFullScreen(5000);
    game.Look(true);
    game.Look(true);
    EXPECT_EQ(game.Window(), child);
    EXPECT_EQ(desk.activated, (std::vector<WindowHandle>{foreign, child}));
    EXPECT_EQ(desk.focus, child);
}

// Escape in the editor at any moment: nothing but the release of a pressed click
// follows, and the run ends within that click's pause and says so.
TEST_F(Remote, ACancelledRunSendsNothingMoreAndReturnsAtOnce) {
    for (std::uint32_t cancelAt = 1; cancelAt < 5600; cancelAt += 97) {
        Reset();
        F5At(4000);
        std::size_t cancelledAt = 0;
        desk.Message(cancelAt, [&] {
            remote.CancelRunning();
            cancelledAt = desk.log.size();
        });
        const std::uint32_t start = desk.now;
        Test(false);
        EXPECT_FALSE(remote.Running());
        ASSERT_NE(cancelledAt, 0u) << cancelAt;
        const auto end = desk.log.begin() + static_cast<long>(cancelledAt);
        const bool clickOpen =
            std::count(desk.log.begin(), end, "down") > std::count(desk.log.begin(), end, "up");
        for (std::size_t i = cancelledAt; i < desk.log.size(); ++i) {
            const std::string& entry = desk.log[i];
            EXPECT_TRUE((entry == "up" && clickOpen) || entry == "pump" ||
                        entry.starts_with("sleep") || entry.starts_with("hand"))
                << "cancelled at " << cancelAt << ": " << entry;
        }
        EXPECT_LE(desk.now - start, cancelAt + 250) << cancelAt;
        EXPECT_EQ(statuses.back(), kRemoteCancelled);
    }
}

TEST_F(Remote, AClickOfAHandlerAlreadyRunningIsRefusedWithABeep) {
    settings.PlayScript = true;
    F5At(6000);
    int refused = 0;
    for (std::uint32_t at : {1u, 3000u})
        desk.Message(at, [&] {
            const int beepsBefore = desk.beeper.beeps;
            Test(true);
            Test(false);
            Settings working = settings;
            EXPECT_FALSE(remote.RecordScript(working));
            EXPECT_EQ(working, settings);
            refused += desk.beeper.beeps - beepsBefore;
        });
    Test(true);
    EXPECT_EQ(refused, 6);
    EXPECT_EQ(desk.WithPrefix("launch").size(), 1u);
    EXPECT_EQ(desk.WithPrefix("key").size(), 5u);
}

// A pause of a damaged script is none when negative and ten minutes at most.
TEST(RemoteWaits, APauseStaysWithinTenMinutes) {
    const std::int32_t rows[][2] = {{-5, 0},          {-2147483647 - 1, 0}, {60000, 60000},
                                    {600000, 600000}, {600001, 600000},     {2147483647, 600000}};
    for (const auto& [interval, paused] : rows)
        EXPECT_EQ(RemoteWaits::Due(0xFFFFFFF0u, interval), 0xFFFFFFF0u + std::uint32_t(paused));
}

// A handler that ran long during a click leaves the replay behind: far behind, the
// next pause starts afresh rather than rush into the game; a little behind keeps it.
TEST_F(Remote, AReplayFarBehindItsScheduleStartsAfresh) {
    settings.PlayScript = true;
    for (const std::uint32_t stall : {1000u, 30u}) {
        Reset();
        desk.onPump = [this, stall, stalled = false]() mutable {
            if (stalled || desk.WithPrefix("down").size() != 1) return;
            stalled = true;
            desk.Advance(stall);
        };
        F5At(8000);
        Test(false);
        const Log events = desk.Events();
        const auto up = std::find(events.begin(), events.end(), "up");
        ASSERT_TRUE(up != events.end() && up + 1 != events.end()) << stall;
        EXPECT_EQ(up[1], stall > 50 ? "wait 700" : "wait 670") << stall;
    }
}

class Recording : public RemoteFixture {
  protected:
    Recording() {
        settings.ShutdownDelay = 40;
        settings.SafetyConfigure = false;
    }
    using Clicks = std::vector<std::array<std::int32_t, 3>>;
    Clicks Script() const {  // interval, x and y of each click
        Clicks clicks;
        for (std::size_t i = 1; i <= settings.ClickCount; ++i)
            clicks.push_back({settings.ClickIntervals[i], settings.ClickX[i], settings.ClickY[i]});
        return clicks;
    }
};

TEST_F(Recording, AClickIsReplayedOnItsPixelAlsoWhenTheGameSwitchedTheScreenMode) {
    const ScreenSize rows[][2] = {
        {{1024, 768}, {1024, 768}}, {{1920, 1080}, {640, 480}}, {{1280, 960}, {640, 480}}};
    for (const auto& [atStart, inGame] : rows)
        for (const PointerPos p : {PointerPos{0, 0}, PointerPos{1, 2}, PointerPos{320, 240},
                                   PointerPos{inGame.width - 1, inGame.height - 1}}) {
            desk.screen = atStart;
            ClickScriptRemote started(desk.Platform(), boxes, desk.beeper);
            desk.screen = inGame;
            ClickAt(50, p.x, p.y, 10);
            F5At(100, 10);
            ASSERT_TRUE(started.RecordScript(settings) && settings.ClickCount == 1);
            desk.pointer = {};
            started.ReplayClickScript(settings);
            EXPECT_EQ(desk.pointer, p) << atStart.width << " " << inGame.width;
        }
}

// Intervals end at each release, also for sub-poll clicks and across a clock wrap.
TEST_F(Recording, AClickIsRecordedAtItsReleaseAndF5EndsTheScript) {
    desk.now = 0xFFFFFFFFu - 95;
    ClickAt(100, 320, 240, 500);
    desk.After(400, [](ScriptedDesk& d) { d.pointer = {330, 250}; });
    ClickAt(901, 10, 470, 1);  // three 1-ms clicks inside one 5-ms rest
    ClickAt(903, 20, 20, 1);
    ClickAt(905, 30, 30, 1);
    F5At(1200);
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(Script(), (Clicks{{600, 330, 250}, {302, 10, 470}, {2, 20, 20}, {2, 30, 30}}));
    EXPECT_EQ(settings.ClickIntervals[0], 0);
    EXPECT_EQ(desk.beeper.beeps, 4);
    desk.screen = {0, 0};  // a screen measuring nothing keeps the pixels
    ClickAt(100, 5, 7);
    F5At(300);
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(Script(), (Clicks{{140, 5, 7}}));
    // The new script replaces all of the old one; F5 ends the recording only when
    // down after a release.
    desk.log.clear();
    settings.ClickCount = 3;
    settings.ClickX[3] = 99;
    desk.After(20, [](ScriptedDesk& d) { d.ReleaseLeft(); });  // pressed before the recording
    ClickAt(100, 64, 48, 200);  // F5 pressed and let go during a press is ignored
    F5At(150, 50);
    ClickAt(500, 128, 96, 200);
    F5At(600, 200);  // down from 600 to 800: ends after the release at 700
    Log lines;
    remote.SetRecordingLine([&](const std::string& line) { lines.push_back(line); });
    ASSERT_TRUE(remote.RecordScript(settings));
    EXPECT_EQ(lines, (Log{RecordingClicks(0), RecordingClicks(1), RecordingClicks(2), "", ""}));
    EXPECT_EQ(RecordingClicks(4), "Recording: 4 clicks. Press F5 in the game to end.");
    EXPECT_EQ(Script(), (Clicks{{300, 64, 48}, {400, 128, 96}}));
    EXPECT_EQ(settings.ClickX[3], 0);
    EXPECT_EQ(desk.Actions(), (Log{"launch /games/gpl/gpl.exe", "hand F5 down", "hand F5 up",
                                   "beep", "hand F5 down", "beep", "hand F5 up", "key Escape",
                                   "key Escape", "key Escape", "key Return", "key Return"}));
}

// A held F5 is let go first.
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
        EXPECT_EQ(desk.WithPrefix("beep").size(), 255u);
        Log expected = ShutdownKeysAfter(40);
        expected.insert(expected.begin(), f5Held ? "hand F5 up" : "beep");
        const Log events = desk.Events();
        EXPECT_EQ(Log(events.end() - 10, events.end()), expected) << f5Held;
    }
}

TEST_F(Recording, ACancelOrAFailureKeepsTheOldScriptAndSendsNoKeys) {
    settings.ShowInformation = settings.SafetyConfigure = true;
    settings.ClickCount = 2;
    settings.ClickX[1] = 77;
    boxes.answers.assign(4, BoxAnswer::Cancel);
    boxes.answers[1] = BoxAnswer::Ok;
    EXPECT_FALSE(remote.RecordScript(settings));
    EXPECT_FALSE(remote.RecordScript(settings));
    settings.SafetyConfigure = false;  // no safety request without the setting
    EXPECT_FALSE(remote.RecordScript(settings));
    const std::string safety = Box(kSafetyTitle, kOverwriteScriptQuestion, 'E', "ok cancel");
    const std::string info = Box(kInfoTitle, kRecordInfo, 'I', "ok cancel");
    EXPECT_EQ(Shown(boxes), (Log{safety, safety, info, info}));
    EXPECT_EQ(Script(), (Clicks{{0, 77, 0}, {0, 0, 0}}));
    EXPECT_TRUE(desk.log.empty());
    boxes.shown.clear();
    settings.ShowInformation = settings.SafetyConfigure = false;
    for (bool f5Held : {false, true}) {  // waiting for a click, or for F5 to go up
        ClickAt(100, 5, 5);
        if (f5Held) F5At(200, 5000);
        desk.Message(300, [&] { remote.CancelRunning(); });
        EXPECT_FALSE(remote.RecordScript(settings)) << f5Held;
        EXPECT_EQ(Script(), (Clicks{{0, 77, 0}, {0, 0, 0}}));
        EXPECT_TRUE(desk.WithPrefix("key").empty());
    }
    desk.log.clear();
    settings.ClickIntervals[2] = 10;
    desk.launchOutcome = LaunchResult::Outcome::Failed;
    EXPECT_FALSE(remote.RecordScript(settings));
    EXPECT_TRUE(Script().empty());
    EXPECT_EQ(settings.ClickIntervals[2], 0);
    EXPECT_EQ(Shown(boxes), (Log{Box(kErrorTitle, kLaunchFailed, 'C', "ok")}));
    EXPECT_EQ(desk.Events(), (Log{"launch /games/gpl/gpl.exe"}));
    boxes.shown.clear();  // nor without a script
    settings.ShowInformation = settings.SafetyConfigure = true;
    boxes.answers = {BoxAnswer::Cancel};
    EXPECT_FALSE(remote.RecordScript(settings));
    EXPECT_EQ(Shown(boxes), (Log{info}));
}

}  // namespace
}  // namespace vx
