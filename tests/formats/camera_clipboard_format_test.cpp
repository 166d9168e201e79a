// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The clipboard's camera formats, without a window.
#include "formats/camera_clipboard_format.h"

#include <gtest/gtest.h>

#include "support/sample_camera.h"

#include "formats/cam_csv.h"

namespace vx {
namespace {

using testing::SampleCamera;

TEST(CameraRecordBytes, FieldsTravelLittleEndianAndOnlyWholeRecordsReadBack) {
    TvCamera camera;
    camera.SetRaw(0, 0x11223344u);
    camera.SetRaw(13, 0xFFC00001u);
    const std::string bytes = CameraRecordBytes({camera, SampleCamera(5.0f)});
    ASSERT_EQ(bytes.size(), 112u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x44\x33\x22\x11"));
    EXPECT_EQ(bytes.substr(52, 4), std::string("\x01\x00\xC0\xFF", 4));

    const auto back = CamerasFromRecordBytes(bytes);
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[0], camera);
    EXPECT_EQ((*back)[1], SampleCamera(5.0f));

    EXPECT_FALSE(CamerasFromRecordBytes("").has_value());
    EXPECT_FALSE(CamerasFromRecordBytes(bytes.substr(0, 55)).has_value());
    EXPECT_FALSE(CamerasFromRecordBytes(bytes + "x").has_value());
    EXPECT_TRUE(CamerasFromRecordBytes(std::string(255 * 56, '\0')).has_value());
    EXPECT_FALSE(CamerasFromRecordBytes(std::string(256 * 56, '\0')).has_value());
}

TEST(CameraClipboardText, RowsOfEitherSetReadInOrderAndHeaderLinesAreSkipped) {
    const std::string text = "\xEF\xBB\xBF#header,4D\n#count,TV2,01,00,00,00\r" + CsvColumnNames() +
                             "\n" + TvCameraCsvRow(SetId::TV2, 9, SampleCamera(3)) + "\n  \n" +
                             TvCameraCsvRow(SetId::TV1, 1, SampleCamera(1, 0x7F800001u));
    // The byte-order mark that a text editor may keep in front is no part of line 1.
    const ClipboardCameras read = CamerasFromClipboardText(text);
    ASSERT_TRUE(read.Ok()) << read.refusal;
    ASSERT_EQ(read.cameras.size(), 2u);
    EXPECT_EQ(read.cameras[0], SampleCamera(3));
    EXPECT_EQ(read.cameras[1], SampleCamera(1, 0x7F800001u)) << "a NaN pattern survives the text";

    // Spreadsheet cells come separated by tabs, leading zeros of the hex cells dropped.
    std::vector<std::string> cells;
    int bad = 0;
    ASSERT_TRUE(SplitCsvCells(TvCameraCsvRow(SetId::TV1, 4, SampleCamera(7)), cells, bad));
    ASSERT_EQ(cells[11], "00000001");  // the mode flag's pattern
    cells[11] = "1";
    std::string tabbed = cells[0];
    for (std::size_t c = 1; c < cells.size(); ++c) tabbed += "\t" + cells[c];
    const ClipboardCameras sheet = CamerasFromClipboardText(tabbed + "\r\n");
    ASSERT_TRUE(sheet.Ok()) << sheet.refusal;
    EXPECT_EQ(sheet.cameras, std::vector<TvCamera>{SampleCamera(7)});
}

TEST(CameraClipboardText, RefusalsNameTheLineCountedWithBlankAndSkippedLines) {
    const std::string good = TvCameraCsvRow(SetId::TV1, 1, SampleCamera(10));
    EXPECT_EQ(CamerasFromClipboardText("120").refusal, "Clipboard holds no camera. Ready.");
    EXPECT_EQ(CamerasFromClipboardText("\n\n").refusal, "Clipboard holds no camera. Ready.");
    PitlaneCamera pit;
    EXPECT_EQ(CamerasFromClipboardText(PitlaneCsvRow(pit)).refusal,
              "Clipboard holds no camera. Ready.");
    // Beside TV rows, the pitlane row is named as the fault.
    EXPECT_EQ(CamerasFromClipboardText(good + "\n" + PitlaneCsvRow(pit)).refusal,
              "Clipboard row 2, column 1: the pitlane camera is no TV camera. Ready.");

    // A row cut short: line 4, the column after the last cell.
    const std::string cut = good.substr(0, good.rfind(','));
    const ClipboardCameras shortRow = CamerasFromClipboardText("#x\n\n" + good + "\n" + cut);
    EXPECT_EQ(shortRow.refusal.rfind("Clipboard row 4, column 30: ", 0), 0u) << shortRow.refusal;
    EXPECT_TRUE(shortRow.cameras.empty());

    // A changed mode flag that is neither 0 nor 1: the quantity column of field 4.
    std::vector<std::string> cells;
    int bad = 0;
    ASSERT_TRUE(SplitCsvCells(good, cells, bad));
    cells[10] = "2";
    std::string edited = cells[0];
    for (std::size_t c = 1; c < cells.size(); ++c) edited += "," + cells[c];
    const ClipboardCameras flag = CamerasFromClipboardText(edited);
    EXPECT_EQ(flag.refusal.rfind("Clipboard row 1, column 11: ", 0), 0u) << flag.refusal;
}

TEST(CameraClipboardText, OnlyCameraRowsCountAsCamerasForAnEntryBox) {
    EXPECT_FALSE(HoldsCameraRows("12.5"));
    EXPECT_FALSE(HoldsCameraRows("TV1-Cameras"));
    EXPECT_FALSE(HoldsCameraRows(CsvColumnNames()));
    EXPECT_TRUE(HoldsCameraRows("TV2,1,broken"));
    EXPECT_TRUE(HoldsCameraRows("\"TV1\"\t1"));
    EXPECT_TRUE(HoldsCameraRows("PIT,1"));
}

}  // namespace
}  // namespace vx
