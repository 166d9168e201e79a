// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "session/recent_files.h"
#include "session/recovery_file.h"
#include "support/cam_file_builder.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::ScratchFolder;

CamDocument RandomDocument(std::mt19937& random) {
    CamDocument doc;
    EXPECT_EQ(ParseCamBytes(testing::RandomCamFile(random).Bytes(), doc), LoadOutcome::Success);
    return doc;
}

// An instance that writes its copy and then dies without an orderly exit.
void RunKilledInstance(const StateFolder& state, const std::string& fileName,
                       const CamDocument& doc) {
    const pid_t child = ::fork();
    if (child == 0) {
        RecoveryFile own(state);
        ::_exit(own.Write(fileName, doc) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(RecoveryFile, HoldsAnyDocumentAndNameAndRefusesAnythingElse) {
    std::mt19937 random(23);
    for (int round = 0; round < 30; ++round) {
        const RecoveredDocument content{round % 3 ? "/tracks/new\nline\\demo.cam" : "",
                                        RandomDocument(random)};
        const std::vector<std::uint8_t> bytes = EncodeRecovery(content);
        RecoveredDocument back;
        ASSERT_TRUE(DecodeRecovery(bytes, back));
        EXPECT_EQ(back.fileName, content.fileName);
        EXPECT_EQ(SerializeCamDocument(back.doc), SerializeCamDocument(content.doc));
        EXPECT_FALSE(back.doc.DataSaved);

        std::vector<std::uint8_t> damaged(bytes.begin(), bytes.end() - 1 - random() % 60);
        EXPECT_FALSE(DecodeRecovery(damaged, back)) << "cut to " << damaged.size();
        damaged = bytes;
        damaged.push_back(0);
        EXPECT_FALSE(DecodeRecovery(damaged, back));
        damaged = bytes;
        damaged[random() % 8] ^= 0x20;
        EXPECT_FALSE(DecodeRecovery(damaged, back));
    }
}

TEST(RecoveryFile, OnlyAGoneInstancesFileIsOfferedAndOnlyOnce) {
    ScratchFolder scratch;
    const StateFolder state(scratch.Path("state"));
    std::mt19937 random(7);
    const CamDocument edited = RandomDocument(random);

    {
        RecoveryFile living(state);
        ASSERT_TRUE(living.Write("/tracks/demo.cam", edited));
        EXPECT_TRUE(std::filesystem::exists(living.Path()));
        EXPECT_TRUE(FindOrphanedRecoveries(state).found.empty());
        living.Remove();
        EXPECT_FALSE(std::filesystem::exists(living.Path()));
        ASSERT_TRUE(living.Write("/tracks/demo.cam", edited));
    }
    // An orderly end leaves nothing, not even the lock.
    EXPECT_TRUE(std::filesystem::is_empty(state.PathOf("recovery")));

    RunKilledInstance(state, "/tracks/demo.cam", edited);
    RunKilledInstance(state, "", edited);
    // The question names the time of the last write, in local time.
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    for (const auto& entry : std::filesystem::directory_iterator(state.PathOf("recovery"))) {
        const timespec written[2] = {{1796652180, 0}, {1796652180, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, entry.path().c_str(), written, 0), 0);
    }
    RecoveryScan first = FindOrphanedRecoveries(state);
    ASSERT_EQ(first.found.size(), 2u);
    EXPECT_TRUE(first.damaged.empty());
    // While one instance offers them, an instance started meanwhile does not.
    EXPECT_TRUE(FindOrphanedRecoveries(state).found.empty());

    const OrphanedRecovery& named =
        first.found[0].Content().fileName.empty() ? first.found[1] : first.found[0];
    EXPECT_EQ(SerializeCamDocument(named.Content().doc), SerializeCamDocument(edited));
    EXPECT_EQ(RecoveryQuestion(named),
              "Vistolarex found unsaved changes to demo.cam from 2026-12-07 14:03. Restore them?");

    first.found[0].Dismiss();
    first.found.pop_back();  // left unanswered: offered again at the next start
    EXPECT_EQ(FindOrphanedRecoveries(state).found.size(), 1u);
}

TEST(RecoveryFile, ADamagedFileIsMovedAsideAndReportedOnce) {
    ScratchFolder scratch;
    const StateFolder state(scratch.Path("state"));
    ASSERT_TRUE(state.WriteText("recovery/1-0.recovery", "Vistolarex recovery 1\nfile\tx\n").ok);
    ASSERT_TRUE(state.WriteText("recovery/2-0.lock", "").ok);  // a dead instance's, no copy
    const RecoveryScan scan = FindOrphanedRecoveries(state);
    EXPECT_TRUE(scan.found.empty());
    ASSERT_EQ(scan.damaged, std::vector<std::string>{state.PathOf("recovery/1-0.recovery.bad")});
    EXPECT_TRUE(std::filesystem::exists(scan.damaged[0]));
    EXPECT_FALSE(std::filesystem::exists(state.PathOf("recovery/2-0.lock")));
    EXPECT_TRUE(FindOrphanedRecoveries(state).damaged.empty());
}

TEST(RecentFiles, KeepsTheTenNewestThatStillExist) {
    ScratchFolder scratch;
    const RecentFiles recent(StateFolder(scratch.Path("state")));
    std::vector<std::string> model;
    std::mt19937 random(11);
    for (int step = 0; step < 60; ++step) {
        const std::string file = scratch.Path(std::to_string(random() % 14) + ".cam");
        if (random() % 5 == 0) {
            std::filesystem::remove(file);
            std::erase(model, file);
        } else {
            scratch.WriteFile(std::filesystem::path(file).filename(), "");
            recent.Add(file);
            std::erase(model, file);
            model.insert(model.begin(), file);
            if (model.size() > RecentFiles::kLimit) model.pop_back();
        }
        ASSERT_EQ(recent.Files(), model) << "step " << step;
    }
    // A relative name is listed by its canonical path.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(scratch.Root());
    scratch.WriteFile("relative.cam", "");
    recent.Add("./relative.cam");
    std::filesystem::current_path(before);
    EXPECT_EQ(recent.Files().front(), scratch.Path("relative.cam"));
}

}  // namespace
}  // namespace vx
