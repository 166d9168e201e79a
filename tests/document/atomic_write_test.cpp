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
    const std::string path = folder.Path("locked.cam");
    testing::WriteBytes(path, kOldBytes);
    // Root could write it anyway; the owner's write bit alone decides.
    ::chmod(path.c_str(), 0444);
    CamDocument doc = UnsavedDocument();

    SaveResult result = WriteCamFile(path, doc);
    EXPECT_EQ(result.outcome, SaveOutcome::OtherFailure);
    EXPECT_EQ(result.error.errorNumber, EACCES);
    EXPECT_EQ(result.error.description, std::strerror(EACCES));
    EXPECT_EQ(testing::ReadBytes(path), kOldBytes);
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_FALSE(doc.DataSaved);

    result = WriteCamFile(folder.Path("no-such-folder/a.cam"), doc);
    EXPECT_EQ(result.outcome, SaveOutcome::FileNotFound);
    EXPECT_EQ(SaveStatusText(result.outcome), "File not found. Save aborted. Ready.");

    std::filesystem::create_directory(folder.Path("sub"));
    result = WriteCamFile(folder.Path("sub"), doc);
    EXPECT_EQ(result.outcome, SaveOutcome::OtherFailure);
    EXPECT_EQ(result.error.errorNumber, EISDIR);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("sub")));

    EXPECT_EQ(WriteCamFile("", doc).outcome, SaveOutcome::FileNotFound);
    EXPECT_FALSE(doc.DataSaved);
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"locked.cam", "sub"}));
}

struct Fault {
    const char* label;
    void (*arm)(FaultyFileLayer&);
    int expectedError;
    SaveOutcome expectedOutcome = SaveOutcome::OtherFailure;
    bool onlyOverAFile = false;  // the step exists only when a file is replaced
};

TEST(AtomicWrite, AnyFailingStepKeepsTheOldFileAndLeavesNoTemporary) {
    const Fault faults[] = {
        {"disk full on the first write",
         [](FaultyFileLayer& l) { l.failWriteNumber = 1, l.writeError = ENOSPC; }, ENOSPC},
        {"third of several short writes",
         [](FaultyFileLayer& l) { l.maxChunk = 50, l.failWriteNumber = 3, l.writeError = EIO; },
         EIO},
        {"flush", [](FaultyFileLayer& l) { l.flushError = EIO; }, EIO},
        {"rename", [](FaultyFileLayer& l) { l.renameError = EXDEV; }, EXDEV},
        {"permission copy", [](FaultyFileLayer& l) { l.setModeError = EPERM; }, EPERM,
         SaveOutcome::OtherFailure, true},
        {"medium gone", [](FaultyFileLayer& l) { l.createError = ENOMEDIUM; }, ENOMEDIUM,
         SaveOutcome::DriveNotReady},
        {"folder not writable", [](FaultyFileLayer& l) { l.createError = EACCES; }, EACCES},
    };
    for (const Fault& fault : faults) {
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

            EXPECT_EQ(result.outcome, fault.expectedOutcome);
            EXPECT_EQ(result.error.errorNumber, fault.expectedError);
            EXPECT_FALSE(doc.DataSaved);
            if (targetExists) {
                EXPECT_EQ(testing::ReadBytes(path), kOldBytes);
                EXPECT_EQ(folder.Entries(), std::set<std::string>{"track.cam"});
            } else {
                EXPECT_TRUE(folder.Entries().empty());
            }
            // A temporary that was opened is closed again, whatever failed.
            if (layer.createError == 0) {
                EXPECT_EQ(layer.closes, 1);
            }
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
    FaultyFileLayer layer;
    for (bool unnamed : {true, false}) {
        layer = FaultyFileLayer{};
        if (!unnamed) layer.unnamedError = EOPNOTSUPP;
        layer.maxChunk = 7;
        layer.eexistAnswers = 3;
        doc.DataSaved = false;

        ASSERT_EQ(WriteCamFile(path, doc, layer).outcome, SaveOutcome::Success);
        EXPECT_TRUE(doc.DataSaved);
        EXPECT_EQ(testing::ReadBytes(path), SerializeCamDocument(doc));
        EXPECT_EQ(layer.namings, 4);
        EXPECT_GT(layer.writes, static_cast<int>(doc.FileLength() / 7));
        EXPECT_EQ(folder.Entries(), std::set<std::string>{"track.cam"});
    }

    // A save that cannot make its rename last through a power loss says so.
    layer = FaultyFileLayer{};
    layer.flushFolderError = EIO;
    doc.DataSaved = false;
    const SaveResult unflushed = WriteCamFile(path, doc, layer);
    EXPECT_EQ(unflushed.error.errorNumber, EIO);
    EXPECT_FALSE(doc.DataSaved);

    // A layer whose writes make no progress fails instead of looping.
    layer.maxChunk = 0;
    layer.failWriteNumber = layer.writes + 1;
    layer.writeError = 0;
    doc.DataSaved = false;
    const SaveResult stalled = WriteCamFile(path, doc, layer);
    EXPECT_EQ(stalled.outcome, SaveOutcome::OtherFailure);
    EXPECT_EQ(stalled.error.errorNumber, EIO);
    EXPECT_FALSE(doc.DataSaved);
    EXPECT_EQ(folder.Entries(), std::set<std::string>{"track.cam"});
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
