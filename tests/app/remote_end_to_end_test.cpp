#include <gtest/gtest.h>

#include <array>
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
#include "document/scratch_folder.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_mouse_injector.h"
#include "platform/x11/xtest_hand.h"
#include "remote/mouse_event.h"
#include "support/scripted_platform.h"

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
        return changed_.wait_for(lock, 15s, [&] { return beeps_ >= beeps; });
    }
    int Beeps() {
        std::lock_guard lock(mutex_);
        return beeps_;
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

// Waits until the log holds `line`; false after ten seconds.
bool WaitForLine(const fs::path& file, const std::string& line) {
    for (int i = 0; i < 500; ++i) {
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

// The stand-in game's log of two clicks (press and release positions) and the shutdown.
Lines GameLog(std::array<int, 8> at) {
    Lines lines{"ready"};
    for (int i = 0; i < 8; i += 2)
        lines.push_back((i % 4 == 0 ? "press 1 " : "release 1 ") + std::to_string(at[i]) + " " +
                        std::to_string(at[i + 1]));
    for (const char* key : {"F5", "Escape", "Escape", "Escape", "Return", "Return"})
        lines.push_back(std::string("key ") + key);
    lines.push_back("exit");
    return lines;
}

TEST(RemoteEndToEnd, ARecordedScriptIsReplayedIntoTheGameAndF5ShutsItDown) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
    testing::DisplayInputLock lock;
    testing::XTestHand cleanup;
    ASSERT_TRUE(cleanup.IsOpen());
    cleanup.LetGo();
    X11Connection connection;
    const ScreenSize screen = X11MouseInjector(connection).ScreenSizePixels();

    const testing::ScratchFolder scratch;
    const fs::path root = scratch.Root();
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

    // The user clicks twice through the game, the second time dragging a little.
    std::thread user([&] {
        testing::XTestHand hand;
        if (WaitForLine(recordLog, "ready")) {
            std::this_thread::sleep_for(300ms);
            hand.MoveTo(100, 80);
            hand.PressLeft();
            std::this_thread::sleep_for(60ms);
            hand.ReleaseLeft();
            if (beeper.WaitFor(1)) {
                hand.MoveTo(400, 300);
                hand.PressLeft();
                std::this_thread::sleep_for(80ms);
                hand.MoveTo(420, 310);
                std::this_thread::sleep_for(80ms);
                hand.ReleaseLeft();
                beeper.WaitFor(2);
            }
        }
        TapF5(hand);  // also ends a recording that went wrong
    });
    const bool recorded = remote->RecordScript(working);
    user.join();
    ASSERT_TRUE(recorded);
    ASSERT_TRUE(WaitForLine(recordLog, "exit"));
    EXPECT_EQ(ReadLines(recordLog), GameLog({100, 80, 100, 80, 400, 300, 420, 310}));
    ASSERT_EQ(working.ClickCount, 2);
    EXPECT_EQ(working.ClickX[1], screen.width * 100 / 640);
    EXPECT_EQ(working.ClickY[1], screen.height * 80 / 480);
    EXPECT_EQ(working.ClickX[2], screen.width * 420 / 640);
    EXPECT_EQ(working.ClickY[2], screen.height * 310 / 480);
    EXPECT_GE(working.ClickIntervals[1], 300);
    EXPECT_GE(working.ClickIntervals[2], 160);

    // The replay clicks at the stored positions; the beep tells the user to press F5.
    working.GPLFolder = replayFolder.string();
    std::thread shutdown([&] {
        testing::XTestHand hand;
        beeper.WaitFor(3);
        TapF5(hand);
    });
    remote->TestScript(working);
    shutdown.join();
    ASSERT_TRUE(WaitForLine(replayLog, "exit"));
    const int x1 = working.ClickX[1], y1 = working.ClickY[1];
    const int x2 = working.ClickX[2], y2 = working.ClickY[2];
    EXPECT_EQ(ReadLines(replayLog), GameLog({x1, y1, x1, y1, x2, y2, x2, y2}));
    EXPECT_EQ(beeper.Beeps(), 3);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text,
              "GPL will now be launched and the recording of mouseclicks will begin. For further "
              "details see online help.");
    EXPECT_EQ(boxes.shown[1].title, "Vistolarex: Info");
}

}  // namespace
}  // namespace vx
