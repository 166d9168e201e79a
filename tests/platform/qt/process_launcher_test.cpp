#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "document/scratch_folder.h"
#include "platform/qt/qt_process_launcher.h"

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

TEST(QtProcessLauncher, StartsAnExecutableWithoutArgumentsAndFailsWhenNothingStarts) {
    GameFolder folder;
    const std::string marker = folder.Path("started");
    const std::string game =
        folder.Write("gpl.exe", "#!/bin/sh\necho \"args $#\" > '" + marker + "'\n", true);
    QtProcessLauncher launcher(true);
    ASSERT_TRUE(launcher.Launch(game));
    EXPECT_EQ(WaitForFile(marker), "args 0");

    EXPECT_FALSE(launcher.Launch(folder.Path("missing.exe")));
    EXPECT_FALSE(launcher.Launch(folder.Write("data.exe", "#!/bin/sh\nexit 0\n", false)));
    // Without a desktop the game is not even tried.
    QtProcessLauncher headless(false);
    EXPECT_FALSE(headless.Launch(game));
}

TEST(QtProcessLauncher, RecognisesWindowsExecutablesByTheirFirstTwoBytes) {
    GameFolder folder;
    EXPECT_TRUE(QtProcessLauncher::IsWindowsExecutable(folder.Write("a.exe", "MZ\x90\x00", false)));
    for (const char* content : {"#!/bin/sh\n", "M", ""})
        EXPECT_FALSE(QtProcessLauncher::IsWindowsExecutable(folder.Write("b.exe", content, false)));
    EXPECT_FALSE(QtProcessLauncher::IsWindowsExecutable(folder.Path("none.exe")));
}

}  // namespace
}  // namespace vx
