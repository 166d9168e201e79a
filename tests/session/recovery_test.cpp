// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "session/recovery_file.h"
#include "support/cam_file_builder.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

CamDocument RandomDocument(std::mt19937& random) {
    CamDocument doc;
    EXPECT_EQ(ParseCamBytes(testing::RandomCamFile(random).Bytes(), doc), LoadOutcome::Success);
    return doc;
}

// An instance that writes its copy and dies without an orderly exit.
void RunKilledInstance(const StateFolder& state, const std::string& fileName,
                       const CamDocument& doc) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(RecoveryFile(state).Write(fileName, doc) ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(RecoveryFile, OnlyAGoneInstancesFileIsOfferedAndOnlyOnce) {
    testing::ScratchFolder scratch;
    const StateFolder state(scratch.Path("state"));
    std::mt19937 random(7);
    const CamDocument edited = RandomDocument(random);
    {
        RecoveryFile living(state);
        ASSERT_TRUE(living.Write("/tracks/demo.cam", edited));
        EXPECT_TRUE(FindOrphanedRecoveries(state).found.empty()) << "its instance lives";
    }
    EXPECT_TRUE(fs::is_empty(state.PathOf("recovery"))) << "an orderly end leaves nothing";

    RunKilledInstance(state, "/tracks/a\tb\\n/demo.cam", edited);
    RunKilledInstance(state, "", edited);
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    for (const auto& entry : fs::directory_iterator(state.PathOf("recovery"))) {
        const timespec written[2] = {{1796652180, 0}, {1796652180, 0}};  // 2026-12-07 14:03
        ASSERT_EQ(::utimensat(AT_FDCWD, entry.path().c_str(), written, 0), 0);
    }
    RecoveryScan first = FindOrphanedRecoveries(state);
    ASSERT_EQ(first.found.size(), 2u);
    EXPECT_TRUE(FindOrphanedRecoveries(state).found.empty()) << "offered by one instance only";
    const OrphanedRecovery& named = first.found[first.found[0].Content().fileName.empty()];
    EXPECT_EQ(named.Content().fileName, "/tracks/a\tb\\n/demo.cam");
    EXPECT_EQ(SerializeCamDocument(named.Content().doc), SerializeCamDocument(edited));
    EXPECT_EQ(RecoveryQuestion(named),
              "Vistolarex found unsaved changes to demo.cam from 2026-12-07 14:03. Restore them?");
    first.found[0].Dismiss();
    first.found.pop_back();  // unanswered: offered again at the next start
    EXPECT_EQ(FindOrphanedRecoveries(state).found.size(), 1u);
}

TEST(RecoveryFile, ADamagedFileIsMovedAsideAndReportedOnce) {
    testing::ScratchFolder scratch;
    const StateFolder state(scratch.Path("state"));
    ASSERT_TRUE(state.WriteText("recovery/1-0.recovery", "Vistolarex recovery 1\nfile\tx\n").ok);
    ASSERT_TRUE(state.WriteText("recovery/2-0.lock", "").ok);  // a dead instance's, no copy
    const RecoveryScan scan = FindOrphanedRecoveries(state);
    EXPECT_TRUE(scan.found.empty());
    ASSERT_EQ(scan.damaged, std::vector<std::string>{state.PathOf("recovery/1-0.recovery.bad")});
    EXPECT_TRUE(fs::exists(scan.damaged[0]));
    EXPECT_FALSE(fs::exists(state.PathOf("recovery/2-0.lock")));
    EXPECT_TRUE(FindOrphanedRecoveries(state).damaged.empty());
}

}  // namespace
}  // namespace vx
