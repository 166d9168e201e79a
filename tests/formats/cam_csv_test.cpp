// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_csv.h"

#include <gtest/gtest.h>

#include "formats/angle_patterns.h"

namespace vx {
namespace {

using testing::Degrees;

TvCamera FixedCamera() {
    TvCamera camera;
    camera.SetFloat(0, 480.0f);
    camera.SetFloat(1, -12.5f);
    camera.SetFloat(2, 8.0f);
    camera.SetFloat(3, -60.0f);
    camera.SetInt(4, 1);
    camera.SetFloat(5, 0.1f);
    camera.SetRaw(8, Degrees(75));
    camera.SetRaw(11, Degrees(40));
    camera.SetRaw(12, 0x7FC01234);  // a NaN with a payload
    camera.SetRaw(13, 0xFF800000);  // minus infinity
    return camera;
}

std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    int bad = 0;
    EXPECT_TRUE(SplitCsvCells(row, cells, bad));
    return cells;
}

std::string Join(const std::vector<std::string>& cells) {
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i) row += (i ? "," : "") + cells[i];
    return row;
}

// Cell of field k's quantity, 0-based.
std::size_t QuantityCell(int field) { return 2 + 2 * static_cast<std::size_t>(field); }

TEST(CsvRow, ACameraComesBackBitForBitNaNsAndInfinitiesIncluded) {
    const std::string row = TvCameraCsvRow(SetId::TV2, 7, FixedCamera());
    EXPECT_TRUE(
        row.starts_with("TV2,7,480,43F00000,-12.5,C1480000,8,41000000,-60,C2700000,1,"
                        "00000001,0.1,3DCCCCCD,"));
    const CsvRowResult parsed = ParseCsvRow(row);
    ASSERT_TRUE(parsed.ok) << parsed.reason;
    EXPECT_EQ(parsed.row.set, CsvRowSet::TV2);
    EXPECT_EQ(parsed.row.number, 7);
    EXPECT_EQ(parsed.row.tv, FixedCamera());
}

TEST(CsvRow, AnEditedQuantityIsEnteredAndTheRestKeptExactly) {
    std::vector<std::string> cells = Cells(TvCameraCsvRow(SetId::TV1, 3, FixedCamera()));
    cells[QuantityCell(0)] = "500.25";
    cells[QuantityCell(8)] = "-45.5";
    cells[QuantityCell(4)] = "0";
    const CsvRowResult parsed = ParseCsvRow(Join(cells));
    ASSERT_TRUE(parsed.ok) << parsed.reason;
    TvCamera expected = FixedCamera();
    expected.SetFloat(0, 500.25f);
    expected.SetRaw(8, Degrees(-45.5));
    expected.SetInt(4, 0);
    EXPECT_EQ(parsed.row.tv, expected);
}

TEST(CsvRow, SpreadsheetRespellingsKeepThePattern) {
    std::vector<std::string> cells = Cells(TvCameraCsvRow(SetId::TV1, 1, FixedCamera()));
    cells[QuantityCell(0)] = "\"480.000\"";
    cells[QuantityCell(0) + 1] = "43f00000";
    cells[QuantityCell(10)] = "0.0";    // bank, stored as 0
    cells[QuantityCell(10) + 1] = "0";  // "00000000" read as a number
    cells[QuantityCell(12)] = " nan ";  // the unknown NaN field, padded
    const CsvRowResult parsed = ParseCsvRow(Join(cells));
    ASSERT_TRUE(parsed.ok) << parsed.reason;
    EXPECT_EQ(parsed.row.tv, FixedCamera());
}

TEST(CsvRow, RefusalsNameTheColumnAndTheReason) {
    const std::vector<std::string> good = Cells(TvCameraCsvRow(SetId::TV1, 3, FixedCamera()));
    struct Case {
        std::size_t cell;
        std::string text;
        int column;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {QuantityCell(2), "-1", 7,
         "TV1 camera 3, Height from the ground [m]: -1 is outside the entry range 0 to 200"},
        {QuantityCell(8), "400", 19,
         "TV1 camera 3, Yaw [°] (fixed cam): 400 is outside the entry range -360 to 360"},
        {QuantityCell(4), "2", 11,
         "TV1 camera 3, Fixed (check) or moving (uncheck) camera: \"2\" is not 0 or 1"},
        {QuantityCell(12), "0", 27,
         "TV1 camera 3, Unknown, mail me if you know more!: a field that is not editable was "
         "changed"},
        {QuantityCell(0), "far", 3,
         "TV1 camera 3, Distance from s/f-line [m]: \"far\" is not a number"},
        {QuantityCell(13) + 1, "XYZ", 30,
         "TV1 camera 3, Unknown, mail me if you know more!: \"XYZ\" is not a hex pattern of 1 to "
         "8 digits"},
        {0, "TV3", 1, "\"TV3\" is not TV1, TV2 or PIT"},
        {1, "0", 2, "\"0\" is not a camera number from 1 to 255"},
        {1, "256", 2, "\"256\" is not a camera number from 1 to 255"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> cells = good;
        cells[c.cell] = c.text;
        const CsvRowResult parsed = ParseCsvRow(Join(cells));
        EXPECT_FALSE(parsed.ok) << c.text;
        EXPECT_EQ(parsed.column, c.column) << c.text;
        EXPECT_EQ(parsed.reason, c.reason);
    }

    // Rows cut short, too long, with an open quote, or empty.
    const std::vector<std::string> shortRow(good.begin(), good.end() - 3);
    std::vector<std::string> longRow = good;
    longRow.push_back("1");
    const std::pair<std::string, int> malformed[] = {
        {Join(shortRow), 28}, {Join(longRow), 31}, {"TV1,1,\"0,00000000", 3}, {"", 1}};
    for (const auto& [row, column] : malformed) {
        const CsvRowResult parsed = ParseCsvRow(row);
        EXPECT_FALSE(parsed.ok) << row;
        EXPECT_EQ(parsed.column, column) << row;
    }
}

TEST(CsvRow, APitlaneRowHasThirteenFields) {
    PitlaneCamera pitlane;
    pitlane.SetFloat(0, -310.5f);
    pitlane.SetFloat(8, -0.125f);
    std::vector<std::string> cells = Cells(PitlaneCsvRow(pitlane));
    EXPECT_EQ(cells.size(), static_cast<std::size_t>(kCsvColumnCount));
    EXPECT_EQ(cells[QuantityCell(8)], "-0.125");
    EXPECT_EQ(cells[QuantityCell(13)], "");

    // A spreadsheet may drop the empty cells at the end.
    std::vector<std::string> trimmed(cells.begin(), cells.end() - 2);
    CsvRowResult parsed = ParseCsvRow(Join(trimmed));
    ASSERT_TRUE(parsed.ok) << parsed.reason;
    EXPECT_EQ(parsed.row.pitlane, pitlane);

    cells[QuantityCell(13)] = "5";
    parsed = ParseCsvRow(Join(cells));
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.column, 29);

    cells = Cells(PitlaneCsvRow(pitlane));
    cells[QuantityCell(2)] = "-1";
    parsed = ParseCsvRow(Join(cells));
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.reason,
              "Pitlane camera, Absolute z-coordinate [m]: -1 is outside the entry range 0 to 200");
}

}  // namespace
}  // namespace vx
