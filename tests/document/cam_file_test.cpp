// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "document/io_error.h"
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
    doc.TV1.SetCount(5);
    doc.TV2.SetCount(5);
    for (int i = 1; i <= 5; ++i) doc.TV2.Camera(i).SetFloat(0, 100.0f * static_cast<float>(i));
    doc.Pitlane.SetFloat(0, 42.0f);
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
        WriteBytes(path, parts.Bytes());
        CamDocument doc = EarlierDocument();
        doc.DataSaved = i % 2 == 0;
        const std::string input = "seed case " + std::to_string(i) + " counts " +
                                  std::to_string(parts.tv1.size()) + "/" +
                                  std::to_string(parts.tv2.size());
        const LoadResult result = ReadCamFile(path, doc);
        ASSERT_EQ(result.outcome, LoadOutcome::Success) << input;
        EXPECT_TRUE(result.stamp.exists) << input;
        EXPECT_EQ(doc.DataSaved, i % 2 == 0) << input << ": loading leaves DataSaved alone";
        EXPECT_EQ(SerializeCamDocument(doc), parts.Content()) << input;
        EXPECT_EQ(doc.FileLength(), parts.Content().size()) << input;
        // Cameras of the earlier document do not linger in free slots, where a
        // later insertion would pick them up.
        for (CameraSet* set : {&doc.TV1, &doc.TV2}) {
            EXPECT_EQ(set->Camera(set->Count() + 1), TvCamera{}) << input;
        }
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
    WriteBytes(folder.Path("empty.cam"), {});
    WriteBytes(folder.Path("three.cam"), {77, 65, 67});
    const std::string fifo = folder.Path("fifo.cam");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open by a writer that never writes: refused at once, not waited on.
    const int silentWriter = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    const std::tuple<std::string, LoadOutcome, int> rows[] = {
        {"", LoadOutcome::NoName, 0},
        {folder.Path("empty.cam"), LoadOutcome::NotACameraFile, 0},
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
    for (const auto& [path, outcome, error] : rows) {
        const LoadResult result = ReadCamFile(path, doc);
        EXPECT_EQ(result.outcome, outcome) << path;
        EXPECT_TRUE(Identical(doc, before)) << path;
        if (error != 0) {
            EXPECT_EQ(result.error.errorNumber, error) << path;
            EXPECT_EQ(result.error.description, std::strerror(error)) << path;
        }
    }
    ::close(silentWriter);
    // Cut anywhere from just past the signature to one byte short of the pitlane's end.
    for (std::size_t length = 4; length < valid.size(); ++length) {
        const std::vector<std::uint8_t> cut(valid.begin(),
                                            valid.begin() + static_cast<long>(length));
        EXPECT_EQ(ParseCamBytes(cut, doc), LoadOutcome::Truncated) << length;
        EXPECT_TRUE(Identical(doc, before)) << length;
    }
}

TEST(CamFile, ReportsEachStageInTurnAndStopsWhereTheBytesEnd) {
    CamFileParts parts;
    parts.tv1.resize(2);
    parts.tv2.resize(12);
    std::vector<std::string> texts;
    auto sink = [&texts](const std::string& text) { texts.push_back(text); };
    CamDocument doc;
    ASSERT_EQ(ParseCamBytes(parts.Bytes(), doc, sink), LoadOutcome::Success);
    ASSERT_EQ(texts.size(), 2u + 2u + 1u + 12u + 1u);
    EXPECT_EQ(texts[2], "Reading data of TV1-cam # 1...");
    EXPECT_EQ(texts[16], "Reading data of TV2-cam # 12...");
    EXPECT_EQ(texts[17], "Reading data of Pitlane-cam...");

    // A cut file stops at the stage it could not finish (header 12, counts 4, cameras
    // 56 bytes each).
    const std::pair<std::size_t, const char*> cuts[] = {
        {11, "Reading CAMFile-Header..."},
        {15, "Reading number of TV1-cams..."},
        {16 + 56 + 10, "Reading data of TV1-cam # 2..."},
        {130, "Reading number of TV2-cams..."},
        {132 + 3 * 56, "Reading data of TV2-cam # 4..."},
        {855, "Reading data of Pitlane-cam..."}};
    const std::vector<std::uint8_t> whole = parts.Bytes();
    for (const auto& [length, last] : cuts) {
        texts.clear();
        const std::vector<std::uint8_t> cut(whole.begin(),
                                            whole.begin() + static_cast<long>(length));
        EXPECT_EQ(ParseCamBytes(cut, doc, sink), LoadOutcome::Truncated) << length;
        EXPECT_EQ(texts.back(), last) << length;
    }

    // The file is checked before anything is announced.
    texts.clear();
    EXPECT_EQ(ReadCamFile("/nonexistent/a.cam", doc, sink).outcome, LoadOutcome::FileNotFound);
    EXPECT_TRUE(texts.empty());
}

TEST(CamFile, OutcomesMapToTheirStatusLines) {
    const std::pair<LoadOutcome, const char*> loads[] = {
        {LoadOutcome::Success, "File loaded, data read. Ready."},
        {LoadOutcome::NoName, "No file specified. Load aborted. Ready."},
        {LoadOutcome::NotACameraFile, "Not a track-camerafile. Load aborted. Ready."},
        {LoadOutcome::Truncated, "File is truncated. Load aborted. Ready."},
        {LoadOutcome::FileNotFound, "File not found. Load aborted. Ready."},
        {LoadOutcome::DriveNotReady, "Drive not ready. Load aborted. Ready."},
        {LoadOutcome::OtherFailure, ""}};
    for (const auto& [outcome, text] : loads) EXPECT_EQ(LoadStatusText(outcome), text);
    const std::pair<SaveOutcome, const char*> saves[] = {
        {SaveOutcome::Success, "File written. Ready."},
        {SaveOutcome::Cancelled, "Cancel pressed. Save aborted. Ready."},
        {SaveOutcome::FileNotFound, "File not found. Save aborted. Ready."},
        {SaveOutcome::DriveNotReady, "Drive not ready. Save aborted. Ready."},
        {SaveOutcome::OtherFailure, ""}};
    for (const auto& [outcome, text] : saves) EXPECT_EQ(SaveStatusText(outcome), text);
    // errno, load outcome, save outcome
    const std::tuple<int, LoadOutcome, SaveOutcome> errors[] = {
        {ENOENT, LoadOutcome::FileNotFound, SaveOutcome::FileNotFound},
        {ENOMEDIUM, LoadOutcome::DriveNotReady, SaveOutcome::DriveNotReady},
        {ENODEV, LoadOutcome::DriveNotReady, SaveOutcome::DriveNotReady},
        {ENXIO, LoadOutcome::DriveNotReady, SaveOutcome::DriveNotReady},
        {EACCES, LoadOutcome::OtherFailure, SaveOutcome::OtherFailure}};
    for (const auto& [error, load, save] : errors) {
        EXPECT_EQ(LoadOutcomeForError(error), load) << error;
        EXPECT_EQ(SaveOutcomeForError(error), save) << error;
    }
}

TEST(CamFile, ExtractCamPathKeepsTheFolderWithItsSeparator) {
    const std::pair<const char*, const char*> rows[] = {
        {"/home/gpl/tracks/monza/monza.cam", "/home/gpl/tracks/monza/"},
        {"/monza.cam", "/"},
        {"tracks/monza.cam", "tracks/"},
        {"monza.cam", ""},
        {"", ""},
        {"/a.b/c", "/a.b/"}};
    for (const auto& [name, folder] : rows) EXPECT_EQ(ExtractCamPath(name), folder) << name;
}

}  // namespace
}  // namespace vx
