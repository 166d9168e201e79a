// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
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
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;
using Names = std::set<std::string>;

CamDocument UnsavedDocument() {
    CamDocument doc;
    NewDocument(doc);
    doc.DataSaved = false;
    return doc;
}

const std::vector<std::uint8_t> kOldBytes(1000, 0xEE);

TEST(AtomicWrite, ReplacesTheFileBehindLinksKeepingItsModeAndOwner) {
    ScratchFolder folder;
    const std::string path = folder.Path("track.cam");
    WriteBytes(path, kOldBytes);
    ::chmod(path.c_str(), 0640);
    // Root keeps another user's ids, through the real file operations.
    ASSERT_TRUE(::geteuid() != 0 || ::chown(path.c_str(), 4321, 8765) == 0);
    struct stat before {};
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    CamDocument doc = UnsavedDocument();
    ASSERT_EQ(WriteCamFile(path, doc).outcome, SaveOutcome::Success);
    EXPECT_EQ(ReadBytes(path), SerializeCamDocument(doc));
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(std::tuple(after.st_mode, after.st_uid, after.st_gid),
              std::tuple(before.st_mode, before.st_uid, before.st_gid));
    // Where the owner cannot be given away, the group still can.
    FaultyFileLayer layer;
    layer.ownerErrors = 1;
    ASSERT_EQ(WriteCamFile(path, doc, layer).outcome, SaveOutcome::Success);
    using Ids = std::vector<std::pair<std::int64_t, std::int64_t>>;
    EXPECT_EQ(layer.owners, (Ids{{before.st_uid, before.st_gid}, {-1, before.st_gid}}));

    // A link stays a link, also when the file behind it does not exist yet.
    std::filesystem::create_symlink(path, folder.Path("link.cam"));
    std::filesystem::create_symlink("sub/new.cam", folder.Path("dangling.cam"));
    std::filesystem::create_directory(folder.Path("sub"));
    doc.TV1.Camera(1).SetFloat(0, 7.0f);
    for (const char* link : {"link.cam", "dangling.cam"}) {
        ASSERT_EQ(WriteCamFile(folder.Path(link), doc).outcome, SaveOutcome::Success) << link;
        EXPECT_TRUE(std::filesystem::is_symlink(folder.Path(link))) << link;
    }
    EXPECT_EQ(ReadBytes(path), SerializeCamDocument(doc));
    EXPECT_EQ(ReadBytes(folder.Path("sub/new.cam")), SerializeCamDocument(doc));
    // The longest name the file system takes saves like any other.
    const std::string longest = std::string(251, 'n') + ".cam";
    EXPECT_EQ(WriteCamFile(folder.Path(longest), doc).outcome, SaveOutcome::Success);
    EXPECT_EQ(folder.Entries(), (Names{"track.cam", "link.cam", "dangling.cam", "sub", longest}));
}

TEST(AtomicWrite, RefusesTargetsItMustNotReplace) {
    ScratchFolder folder;
    const std::string locked = folder.Path("locked.cam");
    WriteBytes(locked, kOldBytes);
    ::chmod(locked.c_str(), 0444);  // root could write it; the owner's write bit decides
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
    EXPECT_EQ(ReadBytes(locked), kOldBytes);
    EXPECT_EQ(std::filesystem::status(locked).permissions(), std::filesystem::perms(0444));
    EXPECT_EQ(folder.Entries(), (Names{"locked.cam", "sub"}));
}

// The fallback for file systems without unnamed files must not retry a taken name for ever.
TEST(AtomicWrite, NamedTemporaryRefusesATakenName) {
    ScratchFolder folder;
    int handle = -1;
    EXPECT_EQ(SystemFileLayer().CreateExclusive(folder.WriteFile("taken.tmp", ""), handle), EEXIST);
}

// Each failing step keeps the old file (or none) and leaves no temporary; short
// writes, taken temporary names and ids the saver may not set do not fail a save.
TEST(AtomicWrite, EachStepFailsOrCopesAlone) {
    using Layer = FaultyFileLayer&;
    using enum SaveOutcome;
    const struct {
        const char* label;
        void (*arm)(Layer);
        int error;
        SaveOutcome outcome = OtherFailure;
        bool onlyOverAFile = false;  // the step exists only when a file is replaced
    } rows[] = {
        {"disk full", [](Layer l) { l.failWriteNumber = 1, l.writeError = ENOSPC; }, ENOSPC},
        {"third short write", [](Layer l) { l.maxChunk = 50, l.failWriteNumber = 3; }, EIO},
        {"no progress", [](Layer l) { l.failWriteNumber = 1, l.writeError = 0; }, EIO},
        {"flush", [](Layer l) { l.flushError = EIO; }, EIO},
        {"rename", [](Layer l) { l.renameError = EXDEV; }, EXDEV},
        {"owner", [](Layer l) { l.ownerErrors = -1; }, EIO, OtherFailure, true},
        {"permission copy", [](Layer l) { l.setModeError = EPERM; }, EPERM, OtherFailure, true},
        {"folder not writable", [](Layer l) { l.createError = EACCES; }, EACCES},
        {"names taken", [](Layer l) { l.maxChunk = 7, l.eexistAnswers = 3; }, 0, Success},
        {"no id may be set", [](Layer l) { l.ownerErrors = 2; }, 0, Success},
        // Replaced, but the rename may not last through a power loss: said so.
        {"folder flush", [](Layer l) { l.flushFolderError = EIO; }, EIO},
    };
    for (const auto& row : rows) {
        for (int run = 0; run < 4; ++run) {
            const bool targetExists = run % 2 == 0;
            if (row.onlyOverAFile && !targetExists) continue;
            SCOPED_TRACE(std::string(row.label) + (targetExists ? ", over a file" : ", new") +
                         (run < 2 ? ", unnamed temporary" : ", named temporary"));
            ScratchFolder folder;
            const std::string path = folder.Path("track.cam");
            if (targetExists) WriteBytes(path, kOldBytes);
            FaultyFileLayer layer;
            if (run >= 2) layer.unnamedError = EOPNOTSUPP;
            row.arm(layer);
            CamDocument doc = UnsavedDocument();
            const SaveResult result = WriteCamFile(path, doc, layer);
            EXPECT_EQ(result.outcome, row.outcome);
            EXPECT_EQ(result.error.errorNumber, row.error);
            EXPECT_EQ(doc.DataSaved, row.error == 0);
            const bool replaced = row.error == 0 || layer.flushFolderError != 0;
            const bool kept = targetExists || replaced;
            EXPECT_EQ(folder.Entries(), kept ? Names{"track.cam"} : Names{});
            EXPECT_EQ(kept ? ReadBytes(path) : kOldBytes,
                      replaced ? SerializeCamDocument(doc) : kOldBytes);
            // A temporary that was opened is closed again, whatever failed.
            EXPECT_EQ(layer.closes, layer.createError == 0 ? 1 : 0);
        }
    }
}

TEST(AtomicWrite, NextSaveRemovesWhatKilledSavesLeftButNotARunningSavesFile) {
    ScratchFolder folder;
    const std::string path = folder.Path("track.cam");
    WriteBytes(path, kOldBytes);
    WriteBytes(folder.Path("other.cam"), kOldBytes);
    // Each save clears what the killed one before it left, so one temporary stays at most.
    std::string leftover;
    for (const bool unnamed : {false, true}) {
        FaultyFileLayer layer;  // ends the process where the named or the unnamed one is left
        layer.killBefore = unnamed ? "rename" : "write";
        if (!unnamed) layer.unnamedError = EOPNOTSUPP;
        CamDocument doc = UnsavedDocument();
        ASSERT_EXIT(WriteCamFile(path, doc, layer), ::testing::ExitedWithCode(137), "");
        const Names names = folder.Entries();
        ASSERT_EQ(names.size(), 3u);  // track.cam, other.cam and one temporary
        EXPECT_EQ(names.count(leftover), 0u) << leftover;
        leftover = *names.begin();  // its name starts with a dot
    }
    EXPECT_EQ(ReadBytes(path), kOldBytes);
    // A temporary still locked is a save in progress elsewhere and stays.
    const int held = ::open(folder.Path(leftover).c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    CamDocument doc = UnsavedDocument();
    ASSERT_EQ(WriteCamFile(path, doc).outcome, SaveOutcome::Success);
    EXPECT_EQ(folder.Entries(), (Names{"track.cam", "other.cam", leftover}));
    ::close(held);
    ASSERT_EQ(WriteCamFile(path, doc).outcome, SaveOutcome::Success);
    EXPECT_EQ(folder.Entries(), (Names{"track.cam", "other.cam"}));
    EXPECT_EQ(ReadBytes(path), SerializeCamDocument(doc));
}

}  // namespace
}  // namespace vx
