// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/desktop_game_remote.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_game_windows.h"
#include "platform/x11/xtest_hand.h"
#include "remote/remote_texts.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"

#include "window_manager.h"

// After the project's headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>

extern char** environ;

namespace vx {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

// The remote beeps on the window thread; the hand waits for it on its own.
class SharedBeeper : public Beeper {
  public:
    void Beep() override { ++beeps_; }
    void WaitFor(int beeps) {
        for (int i = 0; i < 1500 && beeps_ < beeps; ++i) std::this_thread::sleep_for(20ms);
    }
    std::atomic<int> beeps_ = 0;
};

// The game's log once `count` lines start with `prefix`, or after half a minute.
Lines LogUpTo(const fs::path& file, const std::string& prefix, long count = 1) {
    Lines lines;
    const auto has = [&] {
        return std::ranges::count_if(
                   lines, [&](const std::string& l) { return l.starts_with(prefix); }) >= count;
    };
    for (int i = 0; i < 1500 && !has(); ++i) {
        if (i > 0) std::this_thread::sleep_for(20ms);
        lines.clear();
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    return lines;
}

// {press x, y, release x, y, ms held before and after the move to the release}
using Clicks = std::vector<std::array<int, 5>>;

// The game's log of a recording and a replay, which presses where the recording released.
Lines GameLog(const fs::path& folder, const Clicks& clicks) {
    Lines lines;
    for (const bool replayed : {false, true}) {
        lines.insert(lines.end(), {"started in " + fs::canonical(folder).string(), "ready"});
        for (const auto& [px, py, rx, ry, held] : clicks) {
            const std::string at = std::to_string(rx) + " " + std::to_string(ry);
            lines.push_back("press 1 " +
                            (replayed ? at : std::to_string(px) + " " + std::to_string(py)));
            lines.push_back("release 1 " + at);
        }
        for (const char* key : {"F5", "Escape", "Escape", "Escape", "Return", "Return"})
            lines.push_back(std::string("key ") + key);
        lines.push_back("exit");
    }
    return lines;
}

template <class Act>
std::thread UserThenF5(Act act) {
    return std::thread([act] {
        testing::XTestHand hand;
        act(hand);
        hand.HoldF5(true);
        std::this_thread::sleep_for(60ms);
        hand.HoldF5(false);
    });
}

// The editor must start and its Test button answer even where no X server is.
TEST(DesktopGameRemote, WithoutAnXServerItSaysItNeedsOne) {
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    ::setenv("DISPLAY", ":4711", 1);
    testing::ScriptedMessageBoxes boxes;
    testing::CountingBeeper beeper;
    std::unique_ptr<GameRemote> remote = MakeDesktopGameRemote(boxes, beeper);
    display.empty() ? ::unsetenv("DISPLAY") : ::setenv("DISPLAY", display.c_str(), 1);
    remote->RenewMouseDriver();
    remote->TestScript(Settings{});
    EXPECT_EQ(boxes.shown.size() == 1 ? boxes.shown[0].text : "", kNoX11Display);
}

// A display under a window manager, the game's folder and the remote as the program
// assembles it.
class RemoteEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
        ASSERT_TRUE(hand.IsOpen());
        hand.LetGo();
        ASSERT_TRUE(windowManager.Running()) << "openbox is needed (scripts/install-deps.sh)";
        remote = MakeDesktopGameRemote(boxes, beeper);
    }
    // The game's folder, holding the stand-in game started with `options`.
    std::string Game(const std::string& options = "") {
        fs::create_directories(scratch.Path("gpl"));
        scratch.WriteFile("gpl/gpl.exe",
                          "#!/bin/sh\nexec '" VX_STANDIN_GAME "' '" + log + "'" + options + "\n",
                          true);
        return scratch.Path("gpl");
    }
    testing::DisplayInputLock lock;  // before anything touches the display
    testing::XTestHand hand;
    testing::WindowManager windowManager;
    const testing::ScratchFolder scratch;
    const std::string log = scratch.Path("game.log");
    testing::ScriptedMessageBoxes boxes;
    SharedBeeper beeper;
    std::unique_ptr<GameRemote> remote;
};

// Under a window manager, on a screen not 640 x 480, with taps of 1 ms and a drag.
TEST_F(RemoteEndToEnd, ARecordedScriptIsReplayedIntoTheGameInFrontAndF5ShutsItDown) {
    Settings working;
    working.GPLFolder = Game();
    working.ShowInformation = true;
    working.ShutdownDelay = 200;
    const Clicks made{{100, 80, 100, 80, 60},
                      {200, 150, 200, 150, 1},
                      {210, 150, 210, 150, 1},
                      {700, 500, 700, 500, 1},
                      {400, 300, 420, 310, 80}};
    std::thread clicking = UserThenF5([&](testing::XTestHand& user) {
        if (std::ranges::count(LogUpTo(log, "ready"), "ready") == 0) return;
        std::this_thread::sleep_for(300ms);
        long clicks = 0;
        for (const auto& [px, py, rx, ry, held] : made) {
            user.MoveTo(px, py);
            user.PressLeft();
            std::this_thread::sleep_for(std::chrono::milliseconds(held));
            if (rx != px || ry != py) {
                user.MoveTo(rx, ry);
                std::this_thread::sleep_for(std::chrono::milliseconds(held));
            }
            user.ReleaseLeft();
            // A window manager holds the pointer while it decides about a press; a
            // move before it let go would lend the release the next position.
            LogUpTo(log, "release", ++clicks);
        }
        beeper.WaitFor(static_cast<int>(made.size()));
    });
    const bool recorded = remote->RecordScript(working);
    clicking.join();
    ASSERT_TRUE(recorded);
    LogUpTo(log, "exit");  // the recorded game gone before the next starts
    ASSERT_EQ(working.ClickCount, made.size());
    EXPECT_GE(working.ClickIntervals[1], 300);
    EXPECT_GE(working.ClickIntervals[made.size()], 160);
    std::thread shutdown =
        UserThenF5([&](testing::XTestHand&) { beeper.WaitFor(static_cast<int>(made.size()) + 1); });
    remote->TestScript(working);
    shutdown.join();
    Lines played = LogUpTo(log, "exit", 2);
    std::erase(played, "focus in");
    EXPECT_EQ(played, GameLog(working.GPLFolder, made));
    EXPECT_EQ(boxes.shown.size() == 2 ? boxes.shown[1].title : "", "Vistolarex: Info");
}

// The game that never shows a window gets no click, and neither does the focused
// window under the script's points; the user learns why nothing happened.
TEST_F(RemoteEndToEnd, AGameWithoutAWindowLeavesEveryOtherWindowAlone) {
    hand.OpenWatchWindow();  // the bystander, with the focus
    Settings script;
    script.GPLFolder = Game(" no-window");
    script.ShowInformation = false;
    script.ClickCount = 2;
    script.ClickIntervals = {0, 200, 200};
    script.ClickX = {0, 100, 300};
    script.ClickY = {0, 100, 300};
    remote->TestScript(script);
    EXPECT_EQ(boxes.shown.size() == 1 ? boxes.shown[0].text : "", kGameEndedWithoutWindow);
    EXPECT_EQ(LogUpTo(log, "exit").back(), "exit");
    EXPECT_EQ(hand.TakeSeen(), Lines{});
    EXPECT_EQ(beeper.beeps_, 0);
}

// A plain launch returns at once; a timer of the editor's brings the game's window to
// the front when it appears.
TEST_F(RemoteEndToEnd, APlainLaunchBringsTheGameToTheFrontLater) {
    int argc = 1;
    char name[] = "app_remote_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    remote = MakeDesktopGameRemote(boxes, beeper);  // its timer on the application's loop
    Settings settings;
    settings.GPLFolder = Game();
    settings.ShowInformation = false;
    settings.PlayScript = false;
    remote->TestFromEditor(settings);
    EXPECT_FALSE(remote->Running());
    bool focused = false;
    for (int i = 0; i < 500 && !focused; ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(20ms);
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) focused = focused || line == "focus in";
    }
    EXPECT_TRUE(focused);
    for (int i = 0; i < 2; ++i) hand.Type("Return");
    EXPECT_EQ(LogUpTo(log, "exit").back(), "exit");
}

}  // namespace
}  // namespace vx
