// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_csv_file.h"

#include <gtest/gtest.h>

#include <random>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "support/cam_file_builder.h"

namespace vx {
namespace {

std::unique_ptr<CamDocument> Parse(const std::vector<std::uint8_t>& bytes) {
    auto doc = std::make_unique<CamDocument>();
    EXPECT_EQ(ParseCamBytes(bytes, *doc), LoadOutcome::Success);
    return doc;
}

std::unique_ptr<CamDocument> Import(const std::string& csv) {
    CsvImport imported = ImportCamCsv(csv);
    EXPECT_TRUE(imported.ok) << imported.Message();
    return std::move(imported.doc);
}

testing::CamFileParts ThreeCameras() {
    testing::CamFileParts parts;
    parts.tv1.resize(2);
    parts.tv2.resize(1);
    parts.tv1[0][0] = FloatBits(100.0f);
    parts.tv1[1][0] = FloatBits(300.0f);
    parts.tv1[1][12] = 0x7FA00001;  // a signalling NaN pattern
    parts.tv2[0][0] = FloatBits(50.0f);
    parts.pitlane[8] = FloatBits(-0.125f);
    parts.SetMatchingSizeField();
    return parts;
}

// Replaces the first occurrence of `from` after `after`.
std::string Replaced(std::string text, const std::string& after, const std::string& from,
                     const std::string& to) {
    const std::size_t at = text.find(from, text.find(after));
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(CsvFile, RandomFilesRoundTripBitForBit) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        testing::CamFileParts parts = testing::RandomCamFile(random);
        // Some files carry a size field that matches their counts, most do not.
        if (round % 3 == 0) parts.SetMatchingSizeField();
        const std::unique_ptr<CamDocument> doc = Parse(parts.Bytes());
        const std::unique_ptr<CamDocument> back = Import(CamDocumentCsv(*doc));
        ASSERT_TRUE(back);
        ASSERT_EQ(SerializeCamDocument(*back), parts.Content());
    }
}

TEST(CsvFile, AnEditedDistanceImportsWithEverythingElseKept) {
    const testing::CamFileParts parts = ThreeCameras();
    const std::string csv = CamDocumentCsv(*Parse(parts.Bytes()));
    const std::unique_ptr<CamDocument> back =
        Import(Replaced(csv, "TV1,2,", "TV1,2,300,", "TV1,2,275.5,"));
    ASSERT_TRUE(back);
    testing::CamFileParts expected = parts;
    expected.tv1[1][0] = FloatBits(275.5f);
    EXPECT_EQ(SerializeCamDocument(*back), expected.Content());
}

TEST(CsvFile, TheSizeFieldIsRecomputedOnlyWhenACountChanged) {
    testing::CamFileParts parts = ThreeCameras();
    parts.SetSizeField(999);  // wrong, but the file's own
    parts.header[0] = 'X';
    parts.tv2CountTail = {7, 8, 9};
    const std::string csv = CamDocumentCsv(*Parse(parts.Bytes()));
    EXPECT_EQ(Import(csv)->SizeField(), 999u);

    // One TV1 row fewer: the counts no longer match the carried header.
    const std::size_t second = csv.find("TV1,2,");
    std::string removed = csv;
    removed.erase(second, csv.find('\n', second) + 1 - second);
    const std::unique_ptr<CamDocument> shorter = Import(removed);
    EXPECT_EQ(shorter->TV1.Count(), 1);
    EXPECT_EQ(shorter->SizeField(), 56u * 2 + 60);
    EXPECT_EQ(shorter->Header[0], 'X');
    EXPECT_EQ(shorter->TV2.CountBytes, (std::array<std::uint8_t, 4>{1, 7, 8, 9}));

    // Without the carried lines the header is the editor's own, with a size to match.
    std::string bare = csv.substr(csv.find("set,camera"));
    const std::unique_ptr<CamDocument> plain = Import(bare);
    EXPECT_EQ(plain->Header,
              (std::array<std::uint8_t, 12>{77, 65, 67, 84, 0, 0, 0, 0, 228, 0, 0, 0}));
    EXPECT_EQ(plain->TV2.CountBytes, (std::array<std::uint8_t, 4>{1, 0, 0, 0}));
}

TEST(CsvFile, EmptySetsAndWindowsLineEndsImport) {
    testing::CamFileParts parts;
    parts.tv2.resize(2);
    parts.tv2[1][0] = FloatBits(10.0f);
    parts.SetMatchingSizeField();
    std::string csv = CamDocumentCsv(*Parse(parts.Bytes()));
    std::string crlf;
    for (char c : csv) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::unique_ptr<CamDocument> back = Import("\xEF\xBB\xBF" + crlf + "\r\n\r\n");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->TV1.Count(), 0);
    EXPECT_EQ(SerializeCamDocument(*back), parts.Content());
}

TEST(CsvFile, RefusalsGiveLineAndColumnAndNoDocument) {
    const std::string csv = CamDocumentCsv(*Parse(ThreeCameras().Bytes()));
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {Replaced(csv, "TV1,2,", "TV1,2,300,", "TV1,2,-3,"),
         "line 6, column 3: TV1 camera 2, Distance from s/f-line [m]: -3 is outside the entry "
         "range 0 to 50000"},
        {Replaced(csv, "TV1,2,", "TV1,2,", "TV1,3,"),
         "line 6, column 2: TV1 camera 2 expected, not 3"},
        {Replaced(csv, "#header", "#header,4D", "#header,4D4"),
         "line 1, column 2: \"4D4\" is not a byte in hex (00 to FF)"},
        {Replaced(csv, "#header", "43,54", "43,55"),
         "line 1, column 5: header byte 3 must be 54 (the character T)"},
        {Replaced(csv, "#count", "#count,TV1", "#count,TV3"),
         "line 2, column 2: a #count line names TV1 or TV2"},
        {Replaced(csv, "#count", "#count", "#cuont"),
         "line 2, column 1: \"#cuont\" is neither #header nor #count"},
        {Replaced(csv, "set,", "f3_hex", "f3hex"),
         "line 4, column 10: expected the column name \"f3_hex\""},
        {csv.substr(csv.find("TV1,1,")),
         "line 1: the column names line (set,camera,...) must come first"},
        {csv.substr(0, csv.find("PIT,")), "no PIT row: the pitlane camera is missing"},
        {csv + csv.substr(csv.find("PIT,")), "line 9, column 1: a second PIT row"},
        {"", "no PIT row: the pitlane camera is missing"},
    };
    for (const Case& c : cases) {
        const CsvImport imported = ImportCamCsv(c.text);
        EXPECT_FALSE(imported.ok);
        EXPECT_FALSE(imported.doc);
        EXPECT_EQ(imported.Message(), c.message);
    }
}

TEST(CsvFile, ASetTakesAtMost255Rows) {
    CamDocument doc;
    NewDocument(doc);
    doc.TV1.SetCount(255);
    UpdateHeaderSize(doc);
    std::string csv = CamDocumentCsv(doc);
    EXPECT_TRUE(ImportCamCsv(csv).ok);
    const std::string extra = Replaced(csv, "TV1,255,", "TV1,255,", "TV1,256,");
    const std::size_t at = csv.find("TV1,255,");
    csv.insert(csv.find('\n', at) + 1, extra.substr(at, extra.find('\n', at) + 1 - at));
    const CsvImport imported = ImportCamCsv(csv);
    EXPECT_FALSE(imported.ok);
    EXPECT_EQ(imported.Message(),
              "line 260, column 2: \"256\" is not a camera number from 1 to 255");
}

TEST(CsvFile, MangledTextIsRefusedOrImportedButNeverCrashes) {
    const std::string csv = CamDocumentCsv(*Parse(ThreeCameras().Bytes()));
    std::mt19937 random(5);
    const std::string alphabet = ",\"\n\r#-+.eE0123456789ABCDEFnaifTVPI \t\x01\xFF";
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = csv;
        for (int edit = 0; edit < 1 + round % 4; ++edit) {
            const std::size_t at = random() % text.size();
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
                case 0:
                    text[at] = c;
                    break;
                case 1:
                    text.insert(at, 1, c);
                    break;
                default:
                    text.erase(at, 1 + random() % 40);
            }
        }
        const CsvImport imported = ImportCamCsv(text);
        if (imported.ok) {
            ASSERT_TRUE(imported.doc);
        } else {
            ++refused;
            ASSERT_FALSE(imported.Message().empty());
        }
    }
    EXPECT_GT(refused, 1000);
}

}  // namespace
}  // namespace vx
