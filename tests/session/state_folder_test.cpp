// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "session/state_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/scratch_folder.h"

namespace vx {
namespace {

TEST(StateFolder, FollowsAnAbsoluteStateHomeElseHome) {
    ::setenv("HOME", "/home/maker", 1);
    ::setenv("XDG_STATE_HOME", "/var/state", 1);
    EXPECT_EQ(DefaultStateFolder(), "/var/state/Vistolarex");
    ::setenv("XDG_STATE_HOME", "relative/state", 1);
    EXPECT_EQ(DefaultStateFolder(), "/home/maker/.local/state/Vistolarex");
}

// Folders appear with the first write; a replaced file leaves nothing beside it;
// a file too large to be state counts as damaged, not as read in part.
TEST(StateFolder, WritesWholeFilesOnDemandAndReadsWhatIsMissingAsEmpty) {
    testing::ScratchFolder scratch;
    const StateFolder state(scratch.Path("state/Vistolarex"));
    EXPECT_EQ(state.ReadText("recent"), "");
    EXPECT_FALSE(std::filesystem::exists(state.Path()));
    ASSERT_TRUE(state.WriteText("recovery/1", "one").ok);
    ASSERT_TRUE(state.WriteBytes("recovery/1", {'t', 'w', 'o'}, false).ok);
    EXPECT_EQ(state.ReadText("recovery/1"), "two");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state.PathOf("recovery")), {}), 1);
    EXPECT_TRUE(state.ReadBytes("recovery/1", 2).empty());
    EXPECT_FALSE(StateFolder("").WriteText("recent", "x").ok) << "no folder, no write elsewhere";
}

// Any name and value fit; a damaged line costs only its own entry.
TEST(PerFileValues, KeysByTheFileNotByItsSpelling) {
    testing::ScratchFolder scratch;
    const std::string file = scratch.WriteFile("de\\mo\n\t.cam", "");
    std::filesystem::create_symlink(file, scratch.Path("link.cam"));
    const StateFolder state(scratch.Path("state"));
    ASSERT_TRUE(state.WriteText("laps", "bad\\q\tx\n").ok);
    const PerFileValues laps(state, "laps");
    ASSERT_TRUE(laps.Set(scratch.Path("link.cam"), "45\t\n\\00").ok);
    ASSERT_TRUE(laps.Set(scratch.Path("other.cam"), "3000").ok);
    EXPECT_EQ(laps.Get(scratch.Root() + "/./de\\mo\n\t.cam"), "45\t\n\\00");
    ASSERT_TRUE(laps.Set(file, "").ok);
    EXPECT_EQ(laps.Get(scratch.Path("link.cam")), std::nullopt);
    EXPECT_EQ(laps.Get(scratch.Path("other.cam")), "3000");
}

}  // namespace
}  // namespace vx
