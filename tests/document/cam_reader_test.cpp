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

std::array<std::uint32_t, 14> Camera(float distance, std::uint32_t mode) {
    std::array<std::uint32_t, 14> fields{};
    fields[0] = FloatBits(distance);
    fields[2] = FloatBits(4.5f);
    fields[4] = mode;
    fields[11] = FloatBits(0.75f);
    return fields;
}

CamFileParts TwoAndOne() {
    CamFileParts parts;
    parts.tv1 = {Camera(10.0f, 1), Camera(250.0f, 0)};
    parts.tv2 = {Camera(20.0f, 1)};
    parts.pitlane[8] = FloatBits(-0.125f);
    parts.SetMatchingSizeField();
    return parts;
}

// The whole document, unused slots and DataSaved included.
bool Identical(const CamDocument& a, const CamDocument& b) {
    return a.Header == b.Header && a.TV1 == b.TV1 && a.TV2 == b.TV2 && a.Pitlane == b.Pitlane &&
           a.DataSaved == b.DataSaved;
}

CamDocument EarlierDocument() {
    CamDocument doc;
    NewDocument(doc);
    doc.TV1.SetCount(5);
    for (int i = 1; i <= 5; ++i) doc.TV1.Camera(i).SetFloat(0, 100.0f * static_cast<float>(i));
    doc.Pitlane.SetFloat(0, 42.0f);
    doc.DataSaved = false;
    return doc;
}

TEST(CamReader, LoadedFilesAreWrittenBackByteForByte) {
    std::vector<std::pair<const char*, CamFileParts>> cases;
    auto variant = [&cases](const char* label, auto change) {
        CamFileParts parts = TwoAndOne();
        change(parts);
        cases.emplace_back(label, parts);
    };
    variant("header bytes 0 to 2 and 4 to 7 kept", [](CamFileParts& p) {
        p.header[0] = 'X';
        p.header[1] = 0;
        p.header[2] = 255;
        p.header[4] = 9;
    });
    variant("count bytes 1 to 3 kept, never counted", [](CamFileParts& p) {
        p.tv1CountTail = {1, 2, 3};
        p.tv2CountTail = {255, 255, 255};
    });
    variant("size field not recomputed", [](CamFileParts& p) { p.SetSizeField(0x12345678); });
    variant("TV1 count 0", [](CamFileParts& p) { p.tv1.clear(); });
    variant("both counts 0", [](CamFileParts& p) { p.tv1.clear(), p.tv2.clear(); });
    variant("field patterns kept bit for bit", [](CamFileParts& p) {
        p.tv1[0][5] = 0x7FA00001;  // signalling NaN
        p.tv1[0][6] = 0x80000000;  // negative zero
        p.tv1[1][7] = 0x00000001;  // denormal
        p.pitlane[3] = 0xFFFFFFFF;
    });
    variant("trailing bytes ignored", [](CamFileParts& p) { p.trailing = {1, 2, 3, 4, 5}; });
    variant("both sets full", [](CamFileParts& p) {
        p.tv1.assign(255, Camera(1.0f, 1));
        p.tv2.assign(255, Camera(2.0f, 0));
    });

    testing::ScratchFolder folder;
    bool saved = true;
    for (const auto& [label, parts] : cases) {
        SCOPED_TRACE(label);
        const std::string in = folder.Path("in.cam");
        const std::string out = folder.Path("out.cam");
        testing::WriteBytes(in, parts.Bytes());
        // Loading replaces the content but leaves DataSaved as it was.
        saved = !saved;
        CamDocument doc = EarlierDocument();
        doc.DataSaved = saved;
        ASSERT_EQ(ReadCamFile(in, doc).outcome, LoadOutcome::Success);
        EXPECT_EQ(doc.DataSaved, saved);
        EXPECT_EQ(doc.TV1.Count(), static_cast<int>(parts.tv1.size()));
        EXPECT_EQ(doc.TV2.Count(), static_cast<int>(parts.tv2.size()));
        // Cameras of the earlier document do not linger in the free slots, where
        // a later insertion would pick them up.
        if (doc.TV1.Count() < 255) {
            EXPECT_EQ(doc.TV1.Camera(doc.TV1.Count() + 1), TvCamera{});
        }
        ASSERT_EQ(WriteCamFile(out, doc).outcome, SaveOutcome::Success);
        EXPECT_EQ(testing::ReadBytes(out), parts.Content());
    }
}

TEST(CamReader, EveryFailureLeavesTheDocumentAsItWas) {
    testing::ScratchFolder folder;
    const std::vector<std::uint8_t> valid = TwoAndOne().Bytes();
    auto expectUntouched = [](const std::string& name, LoadOutcome expected) {
        CamDocument doc = EarlierDocument();
        const CamDocument before = doc;
        const LoadResult result = ReadCamFile(name, doc);
        EXPECT_EQ(result.outcome, expected) << name;
        EXPECT_TRUE(Identical(doc, before)) << name;
        return result;
    };

    expectUntouched("", LoadOutcome::NoName);

    std::vector<std::uint8_t> wrongSignature = valid;
    wrongSignature[3] = 83;
    testing::WriteBytes(folder.Path("sig.cam"), wrongSignature);
    expectUntouched(folder.Path("sig.cam"), LoadOutcome::NotACameraFile);
    testing::WriteBytes(folder.Path("empty.cam"), {});
    expectUntouched(folder.Path("empty.cam"), LoadOutcome::NotACameraFile);

    // Cut at every length from just past the signature to one byte short.
    for (std::size_t length = 4; length < valid.size(); ++length) {
        testing::WriteBytes(
            folder.Path("cut.cam"),
            std::vector<std::uint8_t>(valid.begin(), valid.begin() + static_cast<long>(length)));
        expectUntouched(folder.Path("cut.cam"), LoadOutcome::Truncated);
    }

    const std::string missing = folder.Path("missing.cam");
    expectUntouched(missing, LoadOutcome::FileNotFound);
    EXPECT_FALSE(std::filesystem::exists(missing));

    // A FIFO held open by a writer that never writes, and an endless device, are
    // refused at once instead of being waited on or read for ever.
    const std::string fifo = folder.Path("fifo.cam");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int silentWriter = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(silentWriter, 0);
    expectUntouched(fifo, LoadOutcome::NotACameraFile);
    ::close(silentWriter);
    expectUntouched("/dev/zero", LoadOutcome::NotACameraFile);

    const LoadResult directory = expectUntouched(folder.Path(""), LoadOutcome::OtherFailure);
    EXPECT_EQ(directory.error.errorNumber, EISDIR);
    EXPECT_EQ(directory.error.description, std::strerror(EISDIR));
    const LoadResult notFolder =
        expectUntouched(folder.Path("sig.cam") + "/x.cam", LoadOutcome::OtherFailure);
    EXPECT_EQ(notFolder.error.errorNumber, ENOTDIR);
}

TEST(CamReader, ReportsEachStageInTurn) {
    testing::ScratchFolder folder;
    CamFileParts parts = TwoAndOne();
    parts.tv2.clear();
    testing::WriteBytes(folder.Path("a.cam"), parts.Bytes());
    std::vector<std::string> texts;
    auto sink = [&texts](const std::string& text) { texts.push_back(text); };

    CamDocument doc;
    ASSERT_EQ(ReadCamFile(folder.Path("a.cam"), doc, sink).outcome, LoadOutcome::Success);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Reading CAMFile-Header...", "Reading number of TV1-cams...",
                         "Reading data of TV1-cam # 1...", "Reading data of TV1-cam # 2...",
                         "Reading number of TV2-cams...", "Reading data of Pitlane-cam..."}));

    // A short file stops at the stage it could not finish.
    texts.clear();
    std::vector<std::uint8_t> cut = parts.Bytes();
    cut.resize(16 + 56 + 10);
    EXPECT_EQ(ParseCamBytes(cut, doc, sink), LoadOutcome::Truncated);
    EXPECT_EQ(texts.back(), "Reading data of TV1-cam # 2...");

    texts.clear();
    parts.tv2.assign(12, Camera(5.0f, 0));
    EXPECT_EQ(ParseCamBytes(parts.Bytes(), doc, sink), LoadOutcome::Success);
    EXPECT_EQ(texts.size(), 2u + 2u + 1u + 12u + 1u);
    EXPECT_EQ(texts[texts.size() - 2], "Reading data of TV2-cam # 12...");

    // The file is checked before anything is announced.
    texts.clear();
    EXPECT_EQ(ReadCamFile(folder.Path("missing.cam"), doc, sink).outcome,
              LoadOutcome::FileNotFound);
    EXPECT_TRUE(texts.empty());
}

TEST(CamReader, OutcomesMapToTheirStatusLines) {
    EXPECT_EQ(LoadStatusText(LoadOutcome::Success), "File loaded, data read. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::NoName), "No file specified. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::NotACameraFile),
              "Not a track-camerafile. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::Truncated), "File is truncated. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::FileNotFound), "File not found. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::DriveNotReady), "Drive not ready. Load aborted. Ready.");
    EXPECT_EQ(LoadStatusText(LoadOutcome::OtherFailure), "");
    EXPECT_EQ(SaveStatusText(SaveOutcome::Success), "File written. Ready.");
    EXPECT_EQ(SaveStatusText(SaveOutcome::Cancelled), "Cancel pressed. Save aborted. Ready.");
    EXPECT_EQ(SaveStatusText(SaveOutcome::FileNotFound), "File not found. Save aborted. Ready.");
    EXPECT_EQ(SaveStatusText(SaveOutcome::DriveNotReady), "Drive not ready. Save aborted. Ready.");
    EXPECT_EQ(SaveStatusText(SaveOutcome::OtherFailure), "");

    EXPECT_EQ(LoadOutcomeForError(ENOENT), LoadOutcome::FileNotFound);
    EXPECT_EQ(LoadOutcomeForError(ENOMEDIUM), LoadOutcome::DriveNotReady);
    EXPECT_EQ(LoadOutcomeForError(EACCES), LoadOutcome::OtherFailure);
    EXPECT_EQ(SaveOutcomeForError(ENOENT), SaveOutcome::FileNotFound);
    EXPECT_EQ(SaveOutcomeForError(ENOMEDIUM), SaveOutcome::DriveNotReady);
    EXPECT_EQ(SaveOutcomeForError(ENOSPC), SaveOutcome::OtherFailure);
}

TEST(CamReader, ExtractCamPathKeepsTheFolderWithItsSeparator) {
    EXPECT_EQ(ExtractCamPath("/home/gpl/tracks/monza/monza.cam"), "/home/gpl/tracks/monza/");
    EXPECT_EQ(ExtractCamPath("/monza.cam"), "/");
    EXPECT_EQ(ExtractCamPath("tracks/monza.cam"), "tracks/");
    EXPECT_EQ(ExtractCamPath("monza.cam"), "");
    EXPECT_EQ(ExtractCamPath(""), "");
    EXPECT_EQ(ExtractCamPath("/a.b/c"), "/a.b/");
}

}  // namespace
}  // namespace vx
