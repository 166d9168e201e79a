// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "session/state_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <random>

#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::ScratchFolder;

TEST(StateFolder, FollowsTheStateHomeAndFallsBackToHome) {
    const char* savedState = std::getenv("XDG_STATE_HOME");
    const std::string keptState = savedState ? savedState : "";
    ::setenv("HOME", "/home/maker", 1);
    ::setenv("XDG_STATE_HOME", "/var/state", 1);
    EXPECT_EQ(DefaultStateFolder(), "/var/state/Vistolarex");
    ::setenv("XDG_STATE_HOME", "relative/state", 1);
    EXPECT_EQ(DefaultStateFolder(), "/home/maker/.local/state/Vistolarex");
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(DefaultStateFolder(), "/home/maker/.local/state/Vistolarex");
    if (savedState) ::setenv("XDG_STATE_HOME", keptState.c_str(), 1);
}

TEST(StateFolder, CreatesFoldersOnWriteAndReadsMissingFilesAsEmpty) {
    ScratchFolder scratch;
    const StateFolder state(scratch.Path("state/Vistolarex"));
    EXPECT_EQ(state.ReadText("recent"), "");
    EXPECT_FALSE(std::filesystem::exists(state.Path()));

    ASSERT_TRUE(state.WriteText("recovery/1.rec", "one").ok);
    ASSERT_TRUE(state.WriteBytes("recovery/1.rec", {'t', 'w', 'o'}, false).ok);
    EXPECT_EQ(state.ReadText("recovery/1.rec"), "two");
    // Nothing but the file itself is left behind by the replacing write.
    EXPECT_EQ(std::filesystem::directory_iterator(state.PathOf("recovery"))->path().filename(),
              "1.rec");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state.PathOf("recovery")), {}), 1);

    // A file too large to be state is treated as damaged rather than read in part.
    ASSERT_TRUE(state.WriteText("big", std::string(5000, 'x')).ok);
    EXPECT_TRUE(state.ReadBytes("big", 4999).empty());
    EXPECT_EQ(state.ReadBytes("big", 5000).size(), 5000u);

    // No state folder known: nothing is read, writes fail instead of landing elsewhere.
    EXPECT_FALSE(StateFolder("").WriteText("recent", "x").ok);
}

TEST(StateRecords, AnyFieldsSurviveAndDamagedLinesAreLeftOut) {
    std::mt19937 random(23);
    const std::string alphabet = "ab\\\t\n\r/ \xc3\xa9";
    for (int round = 0; round < 200; ++round) {
        std::vector<std::vector<std::string>> records(random() % 4);
        for (auto& record : records) {
            record.resize(1 + random() % 3);
            for (auto& field : record) {
                for (int n = random() % 6; n > 0; --n)
                    field += alphabet[random() % alphabet.size()];
            }
            if (record.size() == 1 && record[0].empty()) record[0] = "x";
        }
        const std::string text = JoinStateRecords(records);
        ASSERT_EQ(SplitStateRecords(text), records) << text;
    }
    EXPECT_EQ(SplitStateRecords("a\tb\nbad\\q\n\nc\tcut short"),
              (std::vector<std::vector<std::string>>{{"a", "b"}}));
}

TEST(PerFileValues, KeysByTheFileNotByItsSpelling) {
    ScratchFolder scratch;
    const std::string file = scratch.WriteFile("demo.cam", "");
    std::filesystem::create_symlink(file, scratch.Path("link.cam"));
    const PerFileValues laps(StateFolder(scratch.Path("state")), "laps");

    EXPECT_EQ(laps.Get(file), std::nullopt);
    ASSERT_TRUE(laps.Set(scratch.Path("link.cam"), "4500").ok);
    ASSERT_TRUE(laps.Set(scratch.Path("other.cam"), "3000").ok);
    EXPECT_EQ(laps.Get(scratch.Root() + "/./demo.cam"), "4500");
    ASSERT_TRUE(laps.Set(file, "4600").ok);
    EXPECT_EQ(laps.Get(scratch.Path("link.cam")), "4600");
    ASSERT_TRUE(laps.Set(file, "").ok);
    EXPECT_EQ(laps.Get(file), std::nullopt);
    EXPECT_EQ(laps.Get(scratch.Path("other.cam")), "3000");
}

}  // namespace
}  // namespace vx
