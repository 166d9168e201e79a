// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "settings/config_folder.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using namespace std::filesystem;

// The program's folder is dir/usr/bin; the fallback, dir/home/.config/Vistolarex.
TEST(ConfigFolder, InstalledOrNotWritableProgramFolderSendsItToTheFallback) {
    const struct {
        const char* label;
        const char* share;  // made next to the program's folder, as an installation has
        mode_t mode;        // of the program's folder; 0: no such folder, 1: a plain file
        bool writable;
        bool fallback;
    } rows[] = {
        {"build tree", "", 0755, true, false},
        {"share folder of other programs", "doc", 0755, true, false},
        {"installed, even where it may write (root)", "vistolarex", 0755, true, true},
        {"read-only, also for root", "", 0555, false, true},
        {"owner may not write", "", 0500, false, true},
        {"only others may write", "", 0055, false, true},
        {"missing", "", 0, false, true},
        {"a plain file", "", 1, false, true},
    };
    for (const auto& row : rows) {
        testing::ScratchFolder dir;
        const std::string program = dir.Path("usr/bin");
        const std::string fallback = dir.Path("home/.config/Vistolarex");
        create_directories(dir.Path("usr/share/") + row.share);
        if (row.mode == 1) testing::WriteBytes(program, {1});
        if (row.mode > 1) create_directory(program), ::chmod(program.c_str(), row.mode);
        EXPECT_EQ(FolderIsWritable(program), row.writable) << row.label;
        EXPECT_EQ(ChooseConfigFolder(program, fallback), row.fallback ? fallback : program)
            << row.label;
        // Without a fallback nothing else is at hand; choosing makes no folder.
        EXPECT_EQ(ChooseConfigFolder(program, ""), program) << row.label;
        EXPECT_FALSE(exists(fallback)) << row.label;
        ::chmod(program.c_str(), 0755);
    }
}

TEST(ConfigFolder, MakeConfigFolderCreatesParentsAndRefusesAFileInTheWay) {
    testing::ScratchFolder dir;
    const std::string nested = dir.Path("home/.config/Vistolarex");
    EXPECT_TRUE(MakeConfigFolder(nested));
    EXPECT_TRUE(is_directory(nested));
    EXPECT_TRUE(MakeConfigFolder(nested)) << "an existing folder is fine";
    testing::WriteBytes(dir.Path("taken"), {1});
    EXPECT_FALSE(MakeConfigFolder(dir.Path("taken")));
    EXPECT_FALSE(MakeConfigFolder(dir.Path("taken/below")));
}

}  // namespace
}  // namespace vx
