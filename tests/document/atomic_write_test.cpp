// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "document/cam_writer.h"
#include "document/faulty_file_layer.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::FaultyFileLayer;
using testing::ScratchFolder;

CamDocument UnsavedDocument() {
    CamDocument doc;
    NewDocument(doc);
    doc.TV1.Camera(1).SetFloat(0, 123.5f);
    doc.DataSaved = false;
    return doc;
}

const std::vector<std::uint8_t> kOldBytes(1000, 0xEE);

std::uint32_t ModeOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return 0;
    return status.st_mode & 0777;
}

TEST(AtomicWrite, ReplacesAnExistingFileWhole) {
    ScratchFolder folder;
    const std::string path = folder.Path("track.cam");
    testing::WriteBytes(path, kOldBytes);
    ::chmod(path.c_str(), 0640);
    CamDocument doc = UnsavedDocument();

    const SaveResult result = WriteCamFile(path, doc);

    ASSERT_EQ(result.outcome, SaveOutcome::Success);
    EXPECT_TRUE(doc.DataSaved);
    EXPECT_EQ(testing::ReadBytes(path), SerializeCamDocument(doc));
    EXPECT_EQ(folder.Entries(), std::set<std::string>{"track.cam"});
    EXPECT_EQ(ModeOf(path), 0640u);

    // Saving through a link updates the file behind it and keeps the link, also
    // when that file does not exist yet.
    const std::string link = folder.Path("link.cam");
    std::filesystem::create_symlink(path, link);
    doc.TV1.Camera(1).SetFloat(0, 7.0f);
    ASSERT_EQ(WriteCamFile(link, doc).outcome, SaveOutcome::Success);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::ReadBytes(path), SerializeCamDocument(doc));
    std::filesystem::create_directory(folder.Path("sub"));
    const std::string dangling = folder.Path("dangling.cam");
    std::filesystem::create_symlink("sub/new.cam", dangling);
    ASSERT_EQ(WriteCamFile(dangling, doc).outcome, SaveOutcome::Success);
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(testing::ReadBytes(folder.Path("sub/new.cam")), SerializeCamDocument(doc));

    // The longest name the file system takes saves like any other.
    const std::string longest = std::string(251, 'n') + ".cam";
    EXPECT_EQ(WriteCamFile(folder.Path(longest), doc).outcome, SaveOutcome::Success);
    EXPECT_EQ(folder.Entries(),
              (std::set<std::string>{"track.cam", "link.cam", "dangling.cam", "sub", longest}));
}

TEST(AtomicWrite, ReplacementKeepsOwnerAndGroupWhereTheProcessMaySetThem) {
    ScratchFolder folder;
    const std::string path = folder.Path("track.cam");
    testing::WriteBytes(path, kOldBytes);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    CamDocument doc = UnsavedDocument();

    // Another user's file: the owner cannot be given away, the group still can.
    FaultyFileLayer layer;
    layer.ownerErrors = 1;
    ASSERT_EQ(WriteCamFile(path, doc, layer).outcome, SaveOutcome::Success);
    using Ids = std::vector<std::pair<std::int64_t, std::int64_t>>;
    EXPECT_EQ(layer.owners, (Ids{{before.st_uid, before.st_gid}, {-1, before.st_gid}}));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_gid, before.st_gid);

    // Neither may be set: the save goes ahead with the saver's own ids.
    layer.ownerErrors = 2;
    EXPECT_EQ(WriteCamFile(path, doc, layer).outcome, SaveOutcome::Success);

    // Root keeps both, through the real file operations.
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
        ASSERT_EQ(WriteCamFile(path, doc).outcome, SaveOutcome::Success);
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, 4321u);
        EXPECT_EQ(after.st_gid, 8765u);
    }
}

TEST(AtomicWrite, RefusesTargetsItMustNotReplace) {
    ScratchFolder folder;
    const std::string locked = folder.Path("locked.cam");
    testing::WriteBytes(locked, kOldBytes);
    // Root could write it anyway; the owner's write bit alone decides.
    ::chmod(locked.c_str(), 0444);
    std::filesystem::create_directory(folder.Path("sub"));
    const std::tuple<std::string, SaveOutcome, int> rows[] = {
        {locked, SaveOutcome::OtherFailure, EACCES},
        {folder.Path("no-such-folder/a.cam"), SaveOutcome::FileNotFound, ENOENT},
        {folder.Path("sub"), SaveOutcome::OtherFailure, EISDIR},
        {"", SaveOutcome::FileNotFound, ENOENT}};
    for (const auto& [path, outcome, error] : rows) {
        CamDocument doc = UnsavedDocument();
        const SaveResult result = WriteCamFile(path, doc);
        EXPECT_EQ(result.outcome, outcome) << path;
        EXPECT_EQ(result.error.errorNumber, error) << path;
        EXPECT_EQ(result.error.description, std::strerror(error)) << path;
        EXPECT_FALSE(doc.DataSaved) << path;
    }
    EXPECT_EQ(testing::ReadBytes(locked), kOldBytes);
    EXPECT_EQ(ModeOf(locked), 0444u);
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"locked.cam", "sub"}));
}

TEST(AtomicWrite, AnyFailingStepKeepsTheOldFileAndLeavesNoTemporary) {
    const struct {
        const char* label;
        void (*arm)(FaultyFileLayer&);
        int error;
        SaveOutcome outcome = SaveOutcome::OtherFailure;
        bool onlyOverAFile = false;  // the step exists only when a file is replaced
    } faults[] = {
        {"disk full", [](FaultyFileLayer& l) { l.failWriteNumber = 1, l.writeError = ENOSPC; },
         ENOSPC},
        {"third of several short writes",
         [](FaultyFileLayer& l) { l.maxChunk = 50, l.failWriteNumber = 3; }, EIO},
        {"write without progress",
         [](FaultyFileLayer& l) { l.failWriteNumber = 1, l.writeError = 0; }, EIO},
        {"flush", [](FaultyFileLayer& l) { l.flushError = EIO; }, EIO},
        {"rename", [](FaultyFileLayer& l) { l.renameError = EXDEV; }, EXDEV},
        {"owner", [](FaultyFileLayer& l) { l.ownerErrors = -1; }, EIO, SaveOutcome::OtherFailure,
         true},
        {"permission copy", [](FaultyFileLayer& l) { l.setModeError = EPERM; }, EPERM,
         SaveOutcome::OtherFailure, true},
        {"medium gone", [](FaultyFileLayer& l) { l.createError = ENOMEDIUM; }, ENOMEDIUM,
         SaveOutcome::DriveNotReady},
        {"folder not writable", [](FaultyFileLayer& l) { l.createError = EACCES; }, EACCES},
    };
    for (const auto& fault : faults) {
        for (int run = 0; run < 4; ++run) {
            const bool targetExists = run % 2 == 0;
            const bool unnamed = run < 2;
            if (fault.onlyOverAFile && !targetExists) continue;
            SCOPED_TRACE(std::string(fault.label) + (targetExists ? ", over a file" : ", new") +
                         (unnamed ? ", unnamed temporary" : ", named temporary"));
            ScratchFolder folder;
            const std::string path = folder.Path("track.cam");
            if (targetExists) testing::WriteBytes(path, kOldBytes);
            FaultyFileLayer layer;
            if (!unnamed) layer.unnamedError = EOPNOTSUPP;
            fault.arm(layer);
            CamDocument doc = UnsavedDocument();

            const SaveResult result = WriteCamFile(path, doc, layer);

            EXPECT_EQ(result.outcome, fault.outcome);
            EXPECT_EQ(result.error.errorNumber, fault.error);
            EXPECT_FALSE(doc.DataSaved);
            EXPECT_EQ(folder.Entries(),
                      targetExists ? std::set<std::string>{"track.cam"} : std::set<std::string>{});
            EXPECT_EQ(targetExists ? testing::ReadBytes(path) : kOldBytes, kOldBytes);
            // A temporary that was opened is closed again, whatever failed.
            EXPECT_EQ(layer.closes, layer.createError == 0 ? 1 : 0);
        }
    }
}

TEST(AtomicWrite, ShortWritesAndTakenTemporaryNamesStillGiveTheWholeFile) {
    ScratchFolder folder;
    const std::string path = folder.Path("track.cam");
    testing::WriteBytes(path, kOldBytes);
    CamDocument doc = UnsavedDocument();
    doc.TV2.SetCount(40);
    UpdateHeaderSize(doc);
    for (const bool unnamed : {true, false}) {
        FaultyFileLayer layer;
        if (!unnamed) layer.unnamedError = EOPNOTSUPP;
        layer.maxChunk = 7;
        layer.eexistAnswers = 3;
        doc.DataSaved = false;
        ASSERT_EQ(WriteCamFile(path, doc, layer).outcome, SaveOutcome::Success);
        EXPECT_TRUE(doc.DataSaved);
        EXPECT_EQ(testing::ReadBytes(path), SerializeCamDocument(doc));
        EXPECT_EQ(layer.namings, 4);
        EXPECT_EQ(folder.Entries(), std::set<std::string>{"track.cam"});
    }
    // A save whose rename cannot be made to last through a power loss says so.
    FaultyFileLayer layer;
    layer.flushFolderError = EIO;
    doc.DataSaved = false;
    EXPECT_EQ(WriteCamFile(path, doc, layer).error.errorNumber, EIO);
    EXPECT_FALSE(doc.DataSaved);
}

// Runs one save in a child process that the layer ends abruptly before step.
void SaveKilledBefore(const char* step, bool unnamed, const std::string& path) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FaultyFileLayer layer;
        layer.killBefore = step;
        if (!unnamed) layer.unnamedError = EOPNOTSUPP;
        CamDocument doc = UnsavedDocument();
        WriteCamFile(path, doc, layer);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 137) << "the save was not interrupted before " << step;
}

TEST(AtomicWrite, NextSaveRemovesWhatKilledSavesLeftButNotARunningSavesFile) {
    ScratchFolder folder;
    const std::string path = folder.Path("track.cam");
    testing::WriteBytes(path, kOldBytes);
    testing::WriteBytes(folder.Path("other.cam"), kOldBytes);
    // The named temporary exists from its creation, the unnamed one from its
    // linking; each save clears what the one before it left, so one stays at most.
    std::string leftover;
    for (const bool unnamed : {false, true}) {
        SaveKilledBefore(unnamed ? "rename" : "write", unnamed, path);
        std::set<std::string> names = folder.Entries();
        names.erase("track.cam");
        names.erase("other.cam");
        ASSERT_EQ(names.size(), 1u);
        EXPECT_NE(*names.begin(), leftover);
        leftover = *names.begin();
    }
    EXPECT_EQ(testing::ReadBytes(path), kOldBytes);

    // A temporary still locked is a save in progress elsewhere and stays.
    const std::string running = folder.Path(leftover);
    const int held = ::open(running.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    CamDocument doc = UnsavedDocument();
    ASSERT_EQ(WriteCamFile(path, doc).outcome, SaveOutcome::Success);
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"track.cam", "other.cam", leftover}));
    ::close(held);

    ASSERT_EQ(WriteCamFile(path, doc).outcome, SaveOutcome::Success);
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"track.cam", "other.cam"}));
    EXPECT_EQ(testing::ReadBytes(path), SerializeCamDocument(doc));
}

}  // namespace
}  // namespace vx
