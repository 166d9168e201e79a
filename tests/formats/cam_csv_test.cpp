// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_csv.h"

#include <gtest/gtest.h>

#include <random>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "formats/cam_csv_file.h"
#include "support/cam_file_builder.h"

namespace vx {
namespace {

std::uint32_t Degrees(double degrees) {
    return FloatBits(static_cast<float>(degrees * 3.14159265358979 / 180.0));
}

std::string Csv(const testing::CamFileParts& parts) {
    CamDocument doc;
    EXPECT_EQ(ParseCamBytes(parts.Bytes(), doc), LoadOutcome::Success);
    return CamDocumentCsv(doc);
}

// Row 1 of TV1 at 100 m, row 2 at 300 m with a signalling NaN, one TV2 camera.
testing::CamFileParts ThreeCameras() {
    testing::CamFileParts parts;
    parts.tv1 = {{FloatBits(100.0f)},
                 {FloatBits(300.0f), 0, FloatBits(8.0f), 0, 1, 0, 0, 0, Degrees(75)}};
    parts.tv1[1][12] = 0x7FA00001;
    parts.tv2 = {{FloatBits(50.0f)}};
    parts.pitlane[8] = FloatBits(-0.125f);
    parts.SetMatchingSizeField();
    return parts;
}
const std::string kCsv = Csv(ThreeCameras());
const std::string kRow2 =
    kCsv.substr(kCsv.find("TV1,2,"), kCsv.find('\n', kCsv.find("TV1,2,")) - kCsv.find("TV1,2,"));

// The text with cell `cell` of the row that starts with `row` replaced.
std::string Cell(const char* row, std::size_t cell, const char* value, std::string text = kCsv) {
    std::size_t at = text.find(row);
    for (std::size_t c = 0; c < cell; ++c) at = text.find(',', at) + 1;
    return text.replace(at, text.find_first_of(",\n", at) - at, value);
}

TEST(Csv, RandomFilesRoundTripBitForBit) {
    EXPECT_TRUE(
        kRow2.starts_with("TV1,2,300,43960000,0,00000000,8,41000000,0,00000000,1,00000001,0,"))
        << kRow2;
    std::mt19937 random(20261206);
    for (int round = 0; round < 150; ++round) {
        testing::CamFileParts parts = testing::RandomCamFile(random);
        if (round % 3 == 0) parts.SetMatchingSizeField();  // most files' size fields are off
        const CsvImport back = ImportCamCsv(Csv(parts));
        ASSERT_TRUE(back.ok) << back.Message();
        ASSERT_EQ(SerializeCamDocument(*back.doc), parts.Content()) << "round " << round;
    }
}

TEST(Csv, EditedQuantitiesAreEnteredAndRespellingsKeepThePattern) {
    // Cells: set, number, then quantity and hex pattern of each field.
    const std::pair<std::size_t, std::string> edits[] = {
        {2, "275.5"},    {18, "-45.5"},    {10, "0"},  // edited quantities
        {3, "43960000"}, {4, "\"0.000\""}, {5, "0"},
        {26, " nan "},   {27, "7fa00001"}};  // respelled
    std::string csv = kCsv;
    for (const auto& [cell, value] : edits) csv = Cell("TV1,2,", cell, value.c_str(), csv);
    const CsvImport back = ImportCamCsv(csv);
    ASSERT_TRUE(back.ok) << back.Message();
    testing::CamFileParts expected = ThreeCameras();
    expected.tv1[1][0] = FloatBits(275.5f);
    expected.tv1[1][8] = Degrees(-45.5);
    expected.tv1[1][4] = 0;
    EXPECT_EQ(SerializeCamDocument(*back.doc), expected.Content());
}

TEST(Csv, TheSizeFieldIsRecomputedOnlyWhenACountChanged) {
    testing::CamFileParts parts = ThreeCameras();
    parts.SetSizeField(999);  // wrong, but the file's own
    parts.header[0] = 'X';
    parts.tv2CountTail = {7, 8, 9};
    const std::string csv = Csv(parts);
    std::string shorter = csv;
    shorter.erase(csv.find("TV1,2,"), kRow2.size() + 1);
    const CsvImport cut = ImportCamCsv(shorter);
    EXPECT_EQ(cut.doc->SizeField(), 56u * 2 + 60);
    EXPECT_EQ(cut.doc->Header[0], 'X');
    EXPECT_EQ(cut.doc->TV2.CountBytes, (std::array<std::uint8_t, 4>{1, 7, 8, 9}));
    // Without the carried lines the header is the editor's own, with a size to match;
    // a byte-order mark, Windows line ends and blank lines are no fault.
    std::string bare = "\xEF\xBB\xBF" + csv.substr(csv.find("set,camera")) + "\n\n";
    for (std::size_t at = bare.find('\n'); at != std::string::npos; at = bare.find('\n', at + 2))
        bare.insert(at, "\r");
    const CsvImport plain = ImportCamCsv(bare);
    ASSERT_TRUE(plain.ok) << plain.Message();
    EXPECT_EQ(plain.doc->Header,
              (std::array<std::uint8_t, 12>{77, 65, 67, 84, 0, 0, 0, 0, 228, 0, 0, 0}));
    EXPECT_EQ(plain.doc->TV2.CountBytes, (std::array<std::uint8_t, 4>{1, 0, 0, 0}));
}

TEST(Csv, RefusalsGiveLineAndColumnAndNoDocument) {
    const std::string pit = kCsv.substr(kCsv.find("PIT,"));
    std::string full = kCsv;
    for (int i = 3; i <= 256; ++i)
        full.insert(full.find("TV2,1,"), "TV1," + std::to_string(i) + kRow2.substr(5) + "\n");
    const auto at = [](int line, int column) {
        return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
    };
    const std::pair<std::string, std::string> cases[] = {
        {Cell("TV1,2,", 29, "XYZ"), at(6, 30) + "TV1 camera 2, Unknown, mail me if you know more!: "
                                                "\"XYZ\" is not a hex pattern of 1 to 8 digits"},
        {Cell("TV1,2,", 0, "TV3"), at(6, 1) + "\"TV3\" is not TV1, TV2 or PIT"},
        {Cell("TV1,2,", 1, "3"), at(6, 2) + "TV1 camera 2 expected, not 3"},
        {full, at(260, 2) + "\"256\" is not a camera number from 1 to 255"},
        {Cell("TV1,2,", 29, "0,1"), at(6, 31) + "more than 30 columns"},
        {Cell("PIT,", 28, "5"), at(8, 29) + "the pitlane camera has only 13 fields"},
        {Cell("PIT,", 6, "-1"),
         at(8, 7) +
             "Pitlane camera, Absolute z-coordinate [m]: -1 is outside the entry range 0 to 200"},
        {Cell("#header", 1, "4D4"), at(1, 2) + "\"4D4\" is not a byte in hex (00 to FF)"},
        {Cell("#header", 4, "55"), at(1, 5) + "header byte 3 must be 54 (the character T)"},
        {Cell("#count", 1, "TV3"), at(2, 2) + "a #count line names TV1 or TV2"},
        {Cell("#count", 0, "#cuont"), at(2, 1) + "\"#cuont\" is neither #header nor #count"},
        {Cell("set,", 9, "f3hex"), at(4, 10) + "expected the column name \"f3_hex\""},
        {kCsv.substr(kCsv.find("TV1,1,")),
         "line 1: the column names line (set,camera,...) must come first"},
        {kCsv.substr(0, kCsv.find("PIT,")), "no PIT row: the pitlane camera is missing"},
        {kCsv + pit, at(9, 1) + "a second PIT row"}};
    for (const auto& [text, message] : cases) {
        const CsvImport imported = ImportCamCsv(text);
        EXPECT_FALSE(imported.ok);
        EXPECT_FALSE(imported.doc);
        EXPECT_EQ(imported.Message(), message);
    }
    // Rows cut short or with an open quote name the column after the last cell.
    for (const auto& [row, column] : {std::pair{kRow2.substr(0, kRow2.rfind(',')), 30},
                                      {std::string("TV1,1,\"0,00000000"), 3},
                                      {std::string(), 1}})
        EXPECT_EQ(ParseCsvRow(row).column, column) << row;
    // A spreadsheet may drop the pitlane row's empty cells at the end.
    const std::string trimmed = pit.substr(0, pit.find('\n') - 2);
    ASSERT_TRUE(ParseCsvRow(trimmed).ok) << trimmed;
    EXPECT_EQ(ParseCsvRow(trimmed).row.pitlane.Raw(8), FloatBits(-0.125f));
}

}  // namespace
}  // namespace vx
