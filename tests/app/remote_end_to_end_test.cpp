// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "app/desktop_game_remote.h"
#include "platform/x11/xtest_hand.h"
#include "remote/remote_texts.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"

#include "window_manager.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Whether the game logs `line` within half a minute, running `meanwhile` as it waits.
bool Logged(const fs::path& file, const std::string& line,
            const std::function<void()>& meanwhile = {}) {
    for (int i = 0; i < 1500; ++i) {
        if (meanwhile) meanwhile();
        std::ifstream in(file);
        for (std::string logged; std::getline(in, logged);)
            if (logged == line) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
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
    testing::CountingBeeper beeper;
    std::unique_ptr<GameRemote> remote;
};

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
    EXPECT_TRUE(Logged(log, "exit"));
    EXPECT_EQ(hand.TakeSeen(), std::vector<std::string>{});
    EXPECT_EQ(beeper.beeps, 0);
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
    EXPECT_TRUE(Logged(log, "focus in", [] { QCoreApplication::processEvents(); }));
    for (int i = 0; i < 2; ++i) hand.Type("Return");
    EXPECT_TRUE(Logged(log, "exit"));
}

}  // namespace
}  // namespace vx
