// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "settings/config_folder.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::ScratchFolder;
using testing::WriteBytes;

// A read-only folder is made writable again before ScratchFolder removes it.
class ModeGuard {
  public:
    ModeGuard(std::string path, mode_t mode) : path_(std::move(path)) {
        ::chmod(path_.c_str(), mode);
    }
    ~ModeGuard() { ::chmod(path_.c_str(), 0755); }
    ModeGuard(const ModeGuard&) = delete;
    ModeGuard& operator=(const ModeGuard&) = delete;

  private:
    std::string path_;
};

TEST(ConfigFolder, WritableProgramFolderKeepsTheConfiguration) {
    ScratchFolder dir;
    const std::string program = dir.Path("bin");
    std::filesystem::create_directories(program);
    EXPECT_TRUE(FolderIsWritable(program));
    EXPECT_EQ(ChooseConfigFolder(program, dir.Path("home/.config/Vistolarex")), program);
    EXPECT_EQ(ChooseConfigFolder(program, ""), program);
}

TEST(ConfigFolder, InstalledCopyUsesTheUserFolderEvenWhereItMayWriteItsOwn) {
    ScratchFolder dir;
    const std::string program = dir.Path("usr/bin");
    const std::string fallback = dir.Path("home/.config/Vistolarex");
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(dir.Path("usr/share/doc"));
    EXPECT_FALSE(IsInstalledProgramFolder(program)) << "a share folder of other programs";
    EXPECT_EQ(ChooseConfigFolder(program, fallback), program);

    std::filesystem::create_directories(dir.Path("usr/share/vistolarex"));
    EXPECT_TRUE(IsInstalledProgramFolder(program));
    ASSERT_TRUE(FolderIsWritable(program));  // as for root in /usr/bin
    EXPECT_EQ(ChooseConfigFolder(program, fallback), fallback);
    EXPECT_EQ(ChooseConfigFolder(program, ""), program);
}

TEST(ConfigFolder, ReadOnlyProgramFolderSendsItToTheFallbackAlsoForRoot) {
    ScratchFolder dir;
    const std::string program = dir.Path("bin");
    const std::string fallback = dir.Path("home/.config/Vistolarex");
    std::filesystem::create_directories(program);
    for (mode_t mode : {0555, 0500, 0055}) {
        ModeGuard readOnly(program, mode);
        EXPECT_FALSE(FolderIsWritable(program)) << std::oct << mode;
        EXPECT_EQ(ChooseConfigFolder(program, fallback), fallback) << std::oct << mode;
        // Without a fallback nothing else is at hand: the program's folder stays.
        EXPECT_EQ(ChooseConfigFolder(program, ""), program) << std::oct << mode;
    }
    // Neither a missing folder nor a plain file can hold the configuration.
    EXPECT_FALSE(FolderIsWritable(dir.Path("gone")));
    EXPECT_EQ(ChooseConfigFolder(dir.Path("gone"), fallback), fallback);
    WriteBytes(dir.Path("plain"), {1});
    EXPECT_FALSE(FolderIsWritable(dir.Path("plain")));
    // Choosing decides only: the fallback folder is made when it is asked for.
    EXPECT_FALSE(std::filesystem::exists(fallback));
}

TEST(ConfigFolder, MakeConfigFolderCreatesParentsAndRefusesAFileInTheWay) {
    ScratchFolder dir;
    const std::string nested = dir.Path("home/.config/Vistolarex");
    EXPECT_TRUE(MakeConfigFolder(nested));
    EXPECT_TRUE(std::filesystem::is_directory(nested));
    EXPECT_TRUE(MakeConfigFolder(nested)) << "an existing folder is fine";

    WriteBytes(dir.Path("taken"), {1});
    EXPECT_FALSE(MakeConfigFolder(dir.Path("taken")));
    EXPECT_FALSE(MakeConfigFolder(dir.Path("taken/below")));
}

}  // namespace
}  // namespace vx
