#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "document/cam_writer.h"
#include "document/faulty_file_layer.h"
#include "document/scratch_folder.h"

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

    // Saving through a link updates the file behind it and keeps the link.
    const std::string link = folder.Path("link.cam");
    std::filesystem::create_symlink(path, link);
    doc.TV1.Camera(1).SetFloat(0, 7.0f);
    ASSERT_EQ(WriteCamFile(link, doc).outcome, SaveOutcome::Success);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::ReadBytes(path), SerializeCamDocument(doc));
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
        {"close", [](FaultyFileLayer& l) { l.closeError = EDQUOT; }, EDQUOT},
        {"rename", [](FaultyFileLayer& l) { l.renameError = EXDEV; }, EXDEV},
        {"permission copy", [](FaultyFileLayer& l) { l.setModeError = EPERM; }, EPERM,
         SaveOutcome::OtherFailure, true},
        {"medium gone", [](FaultyFileLayer& l) { l.createError = ENOMEDIUM; }, ENOMEDIUM,
         SaveOutcome::DriveNotReady},
        {"folder not writable", [](FaultyFileLayer& l) { l.createError = EACCES; }, EACCES},
    };
    for (const Fault& fault : faults) {
        for (bool targetExists : {true, false}) {
            if (fault.onlyOverAFile && !targetExists) continue;
            SCOPED_TRACE(std::string(fault.label) + (targetExists ? ", over a file" : ", new"));
            ScratchFolder folder;
            const std::string path = folder.Path("track.cam");
            if (targetExists) testing::WriteBytes(path, kOldBytes);
            FaultyFileLayer layer;
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
    FaultyFileLayer layer;
    layer.maxChunk = 7;
    layer.eexistAnswers = 3;
    CamDocument doc = UnsavedDocument();
    doc.TV2.SetCount(40);
    UpdateHeaderSize(doc);

    ASSERT_EQ(WriteCamFile(path, doc, layer).outcome, SaveOutcome::Success);
    EXPECT_TRUE(doc.DataSaved);
    EXPECT_EQ(testing::ReadBytes(path), SerializeCamDocument(doc));
    EXPECT_EQ(layer.creations, 4);
    EXPECT_GT(layer.writes, static_cast<int>(doc.FileLength() / 7));
    EXPECT_EQ(folder.Entries(), std::set<std::string>{"track.cam"});

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

}  // namespace
}  // namespace vx
