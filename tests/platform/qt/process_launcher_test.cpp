// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/qt/qt_process_launcher.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

TEST(QtProcessLauncher, StartsAnExecutableInItsFolderWithoutArgumentsAndFailsWhenNothingStarts) {
    testing::ScratchFolder folder;
    const std::string marker = folder.Path("started");
    const std::string game = folder.WriteFile(
        "gpl.exe", "#!/bin/sh\necho \"args $# in $(pwd)\" > '" + marker + "'\n", true);
    QtProcessLauncher launcher(true);
    const LaunchResult started = launcher.Launch(game, folder.Root());
    ASSERT_TRUE(started.Started());
    std::string line;
    for (int i = 0; i < 200 && !std::getline(std::ifstream(marker) >> std::ws, line); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(line, "args 0 in " + std::filesystem::canonical(folder.Root()).string());

    const std::string plain = folder.WriteFile("data.exe", "#!/bin/sh\nexit 0\n", false);
    EXPECT_FALSE(launcher.Launch(plain, folder.Root()).Started());
    // Without a desktop the game is not even tried.
    EXPECT_FALSE(QtProcessLauncher(false).Launch(game, folder.Root()).Started());
    // A Windows program is known by its first two bytes, "MZ".
    for (const char* content : {"M", "", "ZM"})
        EXPECT_FALSE(QtProcessLauncher::IsWindowsExecutable(folder.WriteFile("a.exe", content)));
    EXPECT_FALSE(QtProcessLauncher::IsWindowsExecutable(folder.Path("none.exe")));
}

}  // namespace
}  // namespace vx
