// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "platform/qt/qt_process_launcher.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> WaitForFile(const fs::path& file) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(file);
        std::string content;
        if (in && std::getline(in, content)) return content;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

TEST(QtProcessLauncher, StartsAnExecutableInItsFolderWithoutArgumentsAndFailsWhenNothingStarts) {
    testing::ScratchFolder folder;
    const std::string marker = folder.Path("started");
    const std::string game = folder.WriteFile(
        "gpl.exe", "#!/bin/sh\necho \"args $# in $(pwd)\" > '" + marker + "'\n", true);
    QtProcessLauncher launcher(true);
    const LaunchResult started = launcher.Launch(game, folder.Root());
    ASSERT_TRUE(started.Started());
    EXPECT_GT(started.pid, 0);
    EXPECT_EQ(WaitForFile(marker), "args 0 in " + fs::canonical(folder.Root()).string());

    EXPECT_FALSE(launcher.Launch(folder.Path("missing.exe"), folder.Root()).Started());
    EXPECT_FALSE(
        launcher.Launch(folder.WriteFile("data.exe", "#!/bin/sh\nexit 0\n", false), folder.Root())
            .Started());
    // Without a desktop the game is not even tried.
    QtProcessLauncher headless(false);
    EXPECT_FALSE(headless.Launch(game, folder.Root()).Started());
}

TEST(QtProcessLauncher, AWindowsProgramWithoutWineOnThePathSaysSo) {
    testing::ScratchFolder folder;
    const std::string game = folder.WriteFile("gpl.exe", std::string("MZ\x90\x00", 4), true);
    const char* saved = std::getenv("PATH");
    const std::string savedPath = saved ? saved : "";
    ::setenv("PATH", folder.Root().c_str(), 1);
    const LaunchResult result = QtProcessLauncher(true).Launch(game, folder.Root());
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(result.outcome, LaunchResult::Outcome::WineMissing);
}

TEST(QtProcessLauncher, RecognisesWindowsExecutablesByTheirFirstTwoBytes) {
    testing::ScratchFolder folder;
    const std::pair<const char*, bool> rows[] = {
        {"MZ\x90", true}, {"#!/bin/sh\n", false}, {"M", false}, {"", false}};
    for (const auto& [content, windows] : rows)
        EXPECT_EQ(QtProcessLauncher::IsWindowsExecutable(folder.WriteFile("a.exe", content, false)),
                  windows)
            << content;
    EXPECT_FALSE(QtProcessLauncher::IsWindowsExecutable(folder.Path("none.exe")));
}

}  // namespace
}  // namespace vx
