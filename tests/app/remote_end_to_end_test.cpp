// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/desktop_game_remote.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_game_windows.h"
#include "platform/x11/xtest_hand.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"

// After the project's headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>

extern char** environ;

namespace vx {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

// The remote beeps on the window thread; the hand waits for it on its own.
class SignallingBeeper : public Beeper {
  public:
    void Beep() override {
        std::lock_guard lock(mutex_);
        ++beeps_;
        changed_.notify_all();
    }
    bool WaitFor(int beeps) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 30s, [&] { return beeps_ >= beeps; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int beeps_ = 0;
};

Lines ReadLines(const fs::path& file) {
    Lines lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Waits until the log holds `line`; false after half a minute (a window manager
// on a busy machine may take seconds to map the game's window).
bool WaitForLine(const fs::path& file, const std::string& line) {
    for (int i = 0; i < 1500; ++i) {
        for (const auto& l : ReadLines(file))
            if (l == line) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

// A game folder whose gpl.exe starts the stand-in game with its own log.
fs::path MakeGameFolder(const fs::path& root, const std::string& name, const fs::path& log) {
    fs::path folder = root / name;
    fs::create_directories(folder);
    fs::path game = folder / "gpl.exe";
    std::ofstream(game) << "#!/bin/sh\nexec '" << VX_STANDIN_GAME << "' '" << log.string() << "'\n";
    fs::permissions(game, fs::perms::owner_all, fs::perm_options::add);
    return folder;
}

void TapF5(testing::XTestHand& hand) {
    hand.HoldF5(true);
    std::this_thread::sleep_for(60ms);
    hand.HoldF5(false);
}

// The stand-in's first line names its process and working folder; the rest follow.
Lines WithoutStart(Lines lines, const fs::path& folder) {
    EXPECT_FALSE(lines.empty());
    if (lines.empty()) return lines;
    EXPECT_TRUE(lines.front().ends_with(" in " + fs::canonical(folder).string())) << lines.front();
    lines.erase(lines.begin());
    return lines;
}

struct Click {
    int x, y, holdMs;
};

// The game's log of the clicks (press and release where given) and the shutdown.
Lines GameLog(const std::vector<std::pair<Click, Click>>& clicks) {
    Lines lines{"ready"};
    for (const auto& [press, release] : clicks) {
        lines.push_back("press 1 " + std::to_string(press.x) + " " + std::to_string(press.y));
        lines.push_back("release 1 " + std::to_string(release.x) + " " + std::to_string(release.y));
    }
    for (const char* key : {"F5", "Escape", "Escape", "Escape", "Return", "Return"})
        lines.push_back(std::string("key ") + key);
    lines.push_back("exit");
    return lines;
}

// A window manager on the display for as long as this lives: the one running, or
// an openbox of our own, as a desktop has one that decides about the focus.
class WindowManager {
  public:
    WindowManager() {
        Display* d = x_.Get();
        if (d == nullptr || windows_.WindowManagerRunning()) return;
        // A window manager that was killed leaves its mark on the root window.
        XDeleteProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False));
        XSync(d, False);
        char program[] = "openbox";
        char* argv[] = {program, nullptr};
        if (posix_spawnp(&pid_, program, nullptr, nullptr, argv, environ) != 0) pid_ = 0;
        if (pid_ != 0) ready_ = Manages();
    }
    ~WindowManager() {
        if (pid_ == 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        Display* d = x_.Get();
        XDeleteProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False));
        XSync(d, False);
    }
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    bool Running() { return pid_ != 0 ? ready_ : windows_.WindowManagerRunning(); }

  private:
    // Ready once it takes a window of its own: a probe is mapped and reparented.
    bool Manages() {
        Display* d = x_.Get();
        const Window probe = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
        XMapWindow(d, probe);
        bool managed = false;
        for (int i = 0; i < 500 && !managed; ++i) {
            Window root = 0, parent = 0;
            Window* children = nullptr;
            unsigned int count = 0;
            XQueryTree(d, probe, &root, &parent, &children, &count);
            if (children != nullptr) XFree(children);
            managed = parent != root && windows_.WindowManagerRunning();
            if (!managed) std::this_thread::sleep_for(20ms);
        }
        XDestroyWindow(d, probe);
        XSync(d, False);
        return managed;
    }

    X11Connection x_;
    X11GameWindows windows_;
    pid_t pid_ = 0;
    bool ready_ = false;
};

class RemoteEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
        ASSERT_TRUE(cleanup.IsOpen());
        cleanup.LetGo();
        ASSERT_TRUE(windowManager.Running()) << "openbox is needed (scripts/install-deps.sh)";
    }

    // The lock first: nothing touches the display before it is held.
    testing::DisplayInputLock lock;
    testing::XTestHand cleanup;
    WindowManager windowManager;
    const testing::ScratchFolder scratch;
    const fs::path root = scratch.Root();
};

// Clicks recorded while a window manager runs, short ones among them, are replayed
// on their recorded pixels of a screen that is not 640 x 480, and the keys reach
// the game, which the remote brought to the front.
TEST_F(RemoteEndToEnd, ARecordedScriptIsReplayedIntoTheGameInFrontAndF5ShutsItDown) {
    const fs::path recordLog = root / "record.log";
    const fs::path replayLog = root / "replay.log";
    const fs::path recordFolder = MakeGameFolder(root, "record", recordLog);
    const fs::path replayFolder = MakeGameFolder(root, "replay", replayLog);

    testing::ScriptedMessageBoxes boxes;
    SignallingBeeper beeper;
    std::unique_ptr<GameRemote> remote = MakeDesktopGameRemote(boxes, beeper);
    Settings working;
    working.GPLFolder = recordFolder.string();
    working.ShowInformation = true;
    working.ShutdownDelay = 200;

    // One click, five taps of 1 ms, and a press dragged a little before its release.
    const std::vector<Click> taps{
        {200, 150, 1}, {210, 150, 1}, {220, 160, 1}, {230, 170, 1}, {700, 500, 1}};
    std::vector<std::pair<Click, Click>> made{{{100, 80, 60}, {100, 80, 0}}};
    for (const Click& tap : taps) made.push_back({tap, tap});
    made.push_back({{400, 300, 80}, {420, 310, 80}});
    std::thread user([&] {
        testing::XTestHand hand;
        if (WaitForLine(recordLog, "ready")) {
            std::this_thread::sleep_for(300ms);
            for (const auto& [press, release] : made) {
                hand.MoveTo(press.x, press.y);
                hand.PressLeft();
                std::this_thread::sleep_for(std::chrono::milliseconds(press.holdMs));
                if (release.x != press.x || release.y != press.y) {
                    hand.MoveTo(release.x, release.y);
                    std::this_thread::sleep_for(std::chrono::milliseconds(release.holdMs));
                }
                hand.ReleaseLeft();
                std::this_thread::sleep_for(2ms);
            }
            beeper.WaitFor(static_cast<int>(made.size()));
        }
        TapF5(hand);  // also ends a recording that went wrong
    });
    const bool recorded = remote->RecordScript(working);
    user.join();
    ASSERT_TRUE(recorded);
    ASSERT_TRUE(WaitForLine(recordLog, "exit"));
    EXPECT_EQ(WithoutStart(ReadLines(recordLog), recordFolder), GameLog(made));
    ASSERT_EQ(working.ClickCount, made.size());
    for (std::size_t i = 1; i <= made.size(); ++i) {
        EXPECT_EQ(working.ClickX[i], made[i - 1].second.x) << i;
        EXPECT_EQ(working.ClickY[i], made[i - 1].second.y) << i;
    }
    EXPECT_GE(working.ClickIntervals[1], 300);
    EXPECT_GE(working.ClickIntervals[made.size()], 160);

    // The replay clicks on the recorded pixels; the beep tells the user to press F5.
    working.GPLFolder = replayFolder.string();
    std::thread shutdown([&] {
        testing::XTestHand hand;
        beeper.WaitFor(static_cast<int>(made.size()) + 1);
        TapF5(hand);
    });
    remote->TestScript(working);
    shutdown.join();
    ASSERT_TRUE(WaitForLine(replayLog, "exit"));
    std::vector<std::pair<Click, Click>> replayed;
    for (const auto& [press, release] : made) replayed.push_back({release, release});
    EXPECT_EQ(WithoutStart(ReadLines(replayLog), replayFolder), GameLog(replayed));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].title, "Vistolarex: Info");
}

}  // namespace
}  // namespace vx
