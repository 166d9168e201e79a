#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "platform/x11/desktop_game_remote.h"
#include "platform/x11/game_launcher.h"
#include "platform/x11/x11_mouse_injector.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class GameFolder {
  public:
    GameFolder() {
        path_ = fs::temp_directory_path() /
                ("vx-game-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        fs::create_directories(path_);
    }
    ~GameFolder() { fs::remove_all(path_); }
    std::string Path() const { return path_.string(); }
    std::string Write(const std::string& name, const std::string& content, bool executable) {
        fs::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << content;
        if (executable) fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
        return file.string();
    }

  private:
    static inline int counter_ = 0;
    fs::path path_;
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

TEST(GameLauncher, StartsAnExecutableWithoutArgumentsAndFailsWhenNothingStarts) {
    GameFolder folder;
    const std::string marker = folder.Path() + "/started";
    const std::string game =
        folder.Write("gpl.exe", "#!/bin/sh\necho \"args $#\" > '" + marker + "'\n", true);
    GameLauncher launcher(true);
    ASSERT_TRUE(launcher.Launch(game));
    EXPECT_EQ(WaitForFile(marker), "args 0");

    EXPECT_FALSE(launcher.Launch(folder.Path() + "/missing.exe"));
    EXPECT_FALSE(launcher.Launch(folder.Write("data.exe", "#!/bin/sh\nexit 0\n", false)));
    // Without a desktop the game is not even tried.
    GameLauncher headless(false);
    EXPECT_FALSE(headless.Launch(game));
}

TEST(GameLauncher, RecognisesWindowsExecutablesByTheirFirstTwoBytes) {
    GameFolder folder;
    EXPECT_TRUE(GameLauncher::IsWindowsExecutable(folder.Write("a.exe", "MZ\x90\x00", false)));
    EXPECT_FALSE(GameLauncher::IsWindowsExecutable(folder.Write("b.exe", "#!/bin/sh\n", false)));
    EXPECT_FALSE(GameLauncher::IsWindowsExecutable(folder.Write("c.exe", "M", false)));
    EXPECT_FALSE(GameLauncher::IsWindowsExecutable(folder.Write("d.exe", "", false)));
    EXPECT_FALSE(GameLauncher::IsWindowsExecutable(folder.Path() + "/none.exe"));
}

TEST(X11MouseInjector, NormalisedPositionsMapBackToPixelsInsideTheScreen) {
    EXPECT_EQ(X11MouseInjector::ToPixel(32768, 1024), 512);
    EXPECT_EQ(X11MouseInjector::ToPixel(0, 1024), 0);
    EXPECT_EQ(X11MouseInjector::ToPixel(65535, 1024), 1023);
    EXPECT_EQ(X11MouseInjector::ToPixel(-7, 1024), 0);
    EXPECT_EQ(X11MouseInjector::ToPixel(1 << 30, 768), 767);
    EXPECT_EQ(X11MouseInjector::ToPixel(500, 0), 0);
}

// The editor must start and its Test button answer even where no X server is.
TEST(DesktopGameRemote, WithoutAnXServerEveryLaunchFailsPolitely) {
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
    settings.GPLFolder = folder.Path();
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
        EXPECT_EQ(box.icon, BoxIcon::Critical);
    }
    EXPECT_EQ(settings.ClickCount, 0);
    EXPECT_EQ(beeper.beeps, 0);
}

}  // namespace
}  // namespace vx
