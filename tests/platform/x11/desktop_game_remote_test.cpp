#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "document/scratch_folder.h"
#include "platform/x11/desktop_game_remote.h"
#include "platform/x11/game_launcher.h"
#include "platform/x11/x11_mouse_injector.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

// A game folder; files are written into it, executable when asked.
class GameFolder : public testing::ScratchFolder {
  public:
    std::string Write(const std::string& name, const std::string& content, bool executable) {
        std::ofstream(Path(name), std::ios::binary) << content;
        if (executable) fs::permissions(Path(name), fs::perms::owner_all, fs::perm_options::add);
        return Path(name);
    }
};

std::optional<std::string> WaitForFile(const fs::path& file) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(file);
        std::string content;
        if (in && std::getline(in, content)) return content;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

TEST(GameLauncher, StartsAnExecutableInItsFolderWithoutArgumentsAndFailsWhenNothingStarts) {
    GameFolder folder;
    const std::string marker = folder.Path("started");
    const std::string game =
        folder.Write("gpl.exe", "#!/bin/sh\necho \"args $# in $(pwd)\" > '" + marker + "'\n", true);
    GameLauncher launcher(true);
    const LaunchResult started = launcher.Launch(game, folder.Root());
    ASSERT_TRUE(started.Started());
    EXPECT_GT(started.pid, 0);
    EXPECT_EQ(WaitForFile(marker), "args 0 in " + fs::canonical(folder.Root()).string());

    EXPECT_FALSE(launcher.Launch(folder.Path("missing.exe"), folder.Root()).Started());
    EXPECT_FALSE(
        launcher.Launch(folder.Write("data.exe", "#!/bin/sh\nexit 0\n", false), folder.Root())
            .Started());
    // Without a desktop the game is not even tried.
    GameLauncher headless(false);
    EXPECT_FALSE(headless.Launch(game, folder.Root()).Started());
}

TEST(GameLauncher, AWindowsProgramWithoutWineOnThePathSaysSo) {
    GameFolder folder;
    const std::string game = folder.Write("gpl.exe", std::string("MZ\x90\x00", 4), true);
    const char* saved = std::getenv("PATH");
    const std::string savedPath = saved ? saved : "";
    ::setenv("PATH", folder.Root().c_str(), 1);
    const LaunchResult result = GameLauncher(true).Launch(game, folder.Root());
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(result.outcome, LaunchResult::Outcome::WineMissing);
}

TEST(GameLauncher, RecognisesWindowsExecutablesByTheirFirstTwoBytes) {
    GameFolder folder;
    EXPECT_TRUE(GameLauncher::IsWindowsExecutable(folder.Write("a.exe", "MZ\x90\x00", false)));
    for (const char* content : {"#!/bin/sh\n", "M", ""})
        EXPECT_FALSE(GameLauncher::IsWindowsExecutable(folder.Write("b.exe", content, false)));
    EXPECT_FALSE(GameLauncher::IsWindowsExecutable(folder.Path("none.exe")));
}

TEST(X11MouseInjector, NormalisedPositionsMapBackToPixelsInsideTheScreen) {
    // {normalised, screen size, pixel}
    const int rows[][3] = {{32768, 1024, 512}, {0, 1024, 0},        {65535, 1024, 1023},
                           {-7, 1024, 0},      {1 << 30, 768, 767}, {500, 0, 0}};
    for (const auto& [n, size, pixel] : rows) EXPECT_EQ(X11MouseInjector::ToPixel(n, size), pixel);
}

// The editor must start and its Test button answer even where no X server is.
TEST(DesktopGameRemote, WithoutAnXServerEveryOperationSaysItNeedsOne) {
    const char* saved = std::getenv("DISPLAY");
    std::string savedDisplay = saved ? saved : "";
    ::setenv("DISPLAY", ":4711", 1);
    GameFolder folder;
    folder.Write("gpl.exe", "#!/bin/sh\nexit 0\n", true);
    testing::ScriptedMessageBoxes boxes;
    testing::CountingBeeper beeper;
    std::unique_ptr<GameRemote> remote = MakeDesktopGameRemote(boxes, beeper);
    if (saved)
        ::setenv("DISPLAY", savedDisplay.c_str(), 1);
    else
        ::unsetenv("DISPLAY");
    ASSERT_NE(remote, nullptr);

    Settings settings;
    settings.GPLFolder = folder.Root();
    settings.ShowInformation = false;
    settings.PlayScript = true;
    settings.ClickCount = 1;
    settings.SafetyConfigure = false;
    remote->RenewMouseDriver();
    remote->TestFromEditor(settings);
    remote->TestScript(settings);
    EXPECT_FALSE(remote->RecordScript(settings));
    ASSERT_EQ(boxes.shown.size(), 3u);
    for (const auto& box : boxes.shown) {
        EXPECT_EQ(box.title, "Vistolarex: Error");
        EXPECT_NE(box.text.find("needs an X11 display"), std::string::npos) << box.text;
    }
    EXPECT_EQ(settings.ClickCount, 1);
    EXPECT_EQ(beeper.beeps, 0);
}

}  // namespace
}  // namespace vx
