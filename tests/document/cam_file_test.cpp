// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "document/io_error.h"
#include "document/read_file_prefix.h"
#include "document/seen_file.h"
#include "support/cam_file_builder.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::CamFileParts;
using testing::ReadBytes;
using testing::WriteBytes;

// A document with cameras in slots a loaded file of fewer cameras leaves free.
CamDocument EarlierDocument() {
    CamDocument doc;
    NewDocument(doc);
    doc.TV2.SetCount(5);
    for (int i = 1; i <= 5; ++i) doc.TV2.Camera(i).SetFloat(0, 100.0f * static_cast<float>(i));
    return doc;
}

// The whole document, unused slots and DataSaved included.
bool Identical(const CamDocument& a, const CamDocument& b) {
    return a.Header == b.Header && a.TV1 == b.TV1 && a.TV2 == b.TV2 && a.Pitlane == b.Pitlane &&
           a.DataSaved == b.DataSaved;
}

TEST(CamFile, StartUpDocumentIsThe184ByteFileOfTheFormat) {
    const CameraDefaults defaults{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    CamDocument doc;
    NewDocument(doc);
    EXPECT_TRUE(doc.DataSaved);
    doc.DataSaved = false;
    ApplyNewCameraDefaults(doc, defaults);
    EXPECT_TRUE(doc.DataSaved) << "the start-up document counts as saved";
    // One camera in each set: distance 0, then the defaults, then two zero fields.
    std::array<std::uint32_t, 14> camera{};
    std::copy(defaults.begin() + 1, defaults.end(), camera.begin() + 1);
    CamFileParts parts;
    parts.tv1 = parts.tv2 = {camera};
    parts.pitlane[8] = FloatBits(-0.125f);
    parts.SetMatchingSizeField();
    EXPECT_EQ(SerializeCamDocument(doc), parts.Content());
    EXPECT_EQ(parts.Content().size(), 184u);
}

// Any valid file, loaded over a document that had other cameras, is written back
// bit for bit: odd header and count bytes, NaN patterns, any counts; bytes past
// the pitlane are ignored.
TEST(CamFile, LoadedFilesAreWrittenBackBitForBit) {
    std::mt19937 random(20261207);
    testing::ScratchFolder folder;
    const std::string path = folder.Path("in.cam");
    for (int i = 0; i < 40; ++i) {
        CamFileParts parts = testing::RandomCamFile(random);
        if (i == 0) {  // the longest file there is, with trailing bytes
            parts.tv1.resize(255);
            parts.tv2.resize(255);
            parts.trailing = {1, 2, 3};
        }
        SCOPED_TRACE("seed case " + std::to_string(i) + " counts " +
                     std::to_string(parts.tv1.size()) + "/" + std::to_string(parts.tv2.size()));
        WriteBytes(path, parts.Bytes());
        CamDocument doc = EarlierDocument();
        doc.DataSaved = i % 2 == 0;
        const LoadResult result = ReadCamFile(path, doc);
        ASSERT_EQ(result.outcome, LoadOutcome::Success);
        EXPECT_TRUE(result.stamp.exists);
        EXPECT_EQ(doc.DataSaved, i % 2 == 0) << "loading leaves DataSaved alone";
        EXPECT_EQ(SerializeCamDocument(doc), parts.Content());
        EXPECT_EQ(doc.FileLength(), parts.Content().size());
        // Earlier cameras must not linger where an insertion would pick them up.
        for (CameraSet* set : {&doc.TV1, &doc.TV2})
            EXPECT_EQ(set->Camera(set->Count() + 1), TvCamera{});
    }
}

TEST(CamFile, RefusedFilesLeaveTheDocumentAsItWas) {
    testing::ScratchFolder folder;
    CamFileParts parts;
    parts.tv1.resize(2);
    parts.tv2.resize(1);
    const std::vector<std::uint8_t> valid = parts.Content();
    std::vector<std::uint8_t> badSignature = valid;
    badSignature[3] = 83;
    WriteBytes(folder.Path("sig.cam"), badSignature);
    WriteBytes(folder.Path("three.cam"), {77, 65, 67});
    const std::string fifo = folder.Path("fifo.cam");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open by a writer that never writes: refused at once, not waited on.
    const int silentWriter = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    const std::tuple<std::string, LoadOutcome, int> rows[] = {
        {"", LoadOutcome::NoName, 0},
        {folder.Path("three.cam"), LoadOutcome::NotACameraFile, 0},
        {folder.Path("sig.cam"), LoadOutcome::NotACameraFile, 0},
        {folder.Path("missing.cam"), LoadOutcome::FileNotFound, ENOENT},
        {fifo, LoadOutcome::NotACameraFile, 0},
        {"/dev/zero", LoadOutcome::NotACameraFile, 0},
        {folder.Root(), LoadOutcome::OtherFailure, EISDIR},
        {folder.Path("sig.cam/x.cam"), LoadOutcome::OtherFailure, ENOTDIR}};
    CamDocument doc = EarlierDocument();
    doc.DataSaved = false;
    const CamDocument before = doc;
    std::string last;  // stage announced
    auto sink = [&last](const std::string& text) { last = text; };
    for (const auto& [path, outcome, error] : rows) {
        last.clear();
        const LoadResult result = ReadCamFile(path, doc, sink);
        EXPECT_EQ(result.outcome, outcome) << path;
        // The file is checked before anything is announced.
        EXPECT_TRUE(outcome == LoadOutcome::NotACameraFile || last.empty()) << path << last;
        EXPECT_TRUE(Identical(doc, before)) << path;
        EXPECT_TRUE(error == 0 || result.error.errorNumber == error) << path;
    }
    ::close(silentWriter);
    // Cut anywhere past the signature, read with and without a listener, which is told
    // the stage cut short (header 12 bytes, counts 4, cameras 56 each).
    std::map<std::size_t, std::string> stageAt = {{11, "Reading CAMFile-Header..."},
                                                  {12, "Reading number of TV1-cams..."},
                                                  {16 + 56 + 10, "Reading data of TV1-cam # 2..."},
                                                  {130, "Reading number of TV2-cams..."},
                                                  {132 + 10, "Reading data of TV2-cam # 1..."},
                                                  {239, "Reading data of Pitlane-cam..."}};
    for (std::size_t length = 4; length < valid.size(); ++length) {
        const std::vector<std::uint8_t> cut(valid.begin(),
                                            valid.begin() + static_cast<long>(length));
        EXPECT_EQ(ParseCamBytes(cut, doc), LoadOutcome::Truncated) << length;
        EXPECT_EQ(ParseCamBytes(cut, doc, sink), LoadOutcome::Truncated) << length;
        EXPECT_TRUE(Identical(doc, before)) << length;
        EXPECT_TRUE(stageAt.count(length) == 0 || last == stageAt[length]) << length << last;
    }
}

// The texts the window's own tests do not show already.
TEST(CamFile, FailuresMapToStatusLinesAndNamesToFolders) {
    EXPECT_EQ(LoadStatusText(LoadOutcome::Truncated), "File is truncated. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::NoName), "No file specified. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::NotACameraFile),
              "Not a track-camerafile. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::DriveNotReady), "Drive not ready. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::OtherFailure), "");
    EXPECT_EQ(SaveStatusText(SaveOutcome::FileNotFound), "File not found. Save aborted. Ready.");
    EXPECT_EQ(SaveStatusText(SaveOutcome::DriveNotReady), "Drive not ready. Save aborted. Ready.");
    EXPECT_EQ(SaveStatusText(SaveOutcome::OtherFailure), "");
    for (const int error : {ENOMEDIUM, ENODEV, ENXIO}) {
        EXPECT_EQ(LoadOutcomeForError(error), LoadOutcome::DriveNotReady) << error;
        EXPECT_EQ(SaveOutcomeForError(error), SaveOutcome::DriveNotReady) << error;
    }
    EXPECT_EQ(ExtractCamPath("/a.b/monza.cam"), "/a.b/");
    EXPECT_EQ(ExtractCamPath("tracks/monza.cam"), "tracks/");
    EXPECT_EQ(ExtractCamPath("/monza.cam"), "/");
    EXPECT_EQ(ExtractCamPath("monza.cam"), "");
}

// File systems that keep whole seconds only still show a file changed by another program.
TEST(CamFile, AFileTouchedInAnotherSecondHasAnotherStamp) {
    testing::ScratchFolder folder;
    const std::string path = folder.WriteFile("a.cam", "MACT");
    timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const FileStamp before = StampOfPath(path);
    times[1].tv_sec += 60;
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_NE(StampOfPath(path), before);
}

// Which file a path leads to is decided with the links resolved, whether it changed by its stamp:
// a file loaded through a linked folder and replaced by another program shows as
// changed under any of its spellings, and only there.
TEST(CamFile, ChangeOnDiskIsNoticedUnderEverySpellingOfTheFile) {
    namespace fs = std::filesystem;
    testing::ScratchFolder folder;
    fs::create_directory(folder.Path("real"));
    fs::create_directory_symlink("real", folder.Path("lnk"));
    const std::string loaded = folder.WriteFile("lnk/s.cam", "MACT");
    const SeenFile seen = SeeFile(loaded, StampOfPath(loaded));
    const std::string spellings[] = {folder.Path("real/s.cam"), folder.Path("lnk/../real/./s.cam"),
                                     loaded};
    for (const std::string& path : spellings) EXPECT_FALSE(ChangedOnDisk(seen, path)) << path;

    folder.WriteFile("real/new.cam", "MACT");
    fs::rename(folder.Path("real/new.cam"), folder.Path("real/s.cam"));
    for (const std::string& path : spellings) EXPECT_TRUE(ChangedOnDisk(seen, path)) << path;
    folder.WriteFile("real/t.cam", "other");
    EXPECT_FALSE(ChangedOnDisk(seen, folder.Path("real/t.cam")));
}

// A file that holds more than its reported size (as /proc files, or one growing while
// it is read) is read on into a growing buffer, up to the limit.
TEST(CamFile, AFileLargerThanItsReportedSizeIsReadUpToTheLimit) {
    const std::string path = "/proc/kallsyms";  // reports size 0, holds megabytes
    std::ifstream in(path, std::ios::binary);
    std::vector<char> want(20000);
    if (!in.read(want.data(), static_cast<std::streamsize>(want.size())))
        GTEST_SKIP() << "no " << path;
    std::vector<std::uint8_t> got;
    ASSERT_EQ(ReadFilePrefix(path, want.size(), got), 0);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin(), want.end()));
}

}  // namespace
}  // namespace vx
