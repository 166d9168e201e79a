// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/camera_clipboard_format.h"

#include <gtest/gtest.h>

#include "formats/cam_csv.h"
#include "support/sample_camera.h"

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
    EXPECT_EQ(CamerasFromRecordBytes(bytes), (std::vector<TvCamera>{camera, SampleCamera(5.0f)}));
    for (const std::string& cut :
         {std::string(), bytes.substr(0, 55), bytes + "x", std::string(256 * 56, '\0')})
        EXPECT_FALSE(CamerasFromRecordBytes(cut).has_value()) << cut.size();
    EXPECT_TRUE(CamerasFromRecordBytes(std::string(255 * 56, '\0')).has_value());
}

TEST(CameraClipboardText, RowsOfEitherSetReadInOrderAndOtherLinesAreSkippedOrNamed) {
    const std::string good = TvCameraCsvRow(SetId::TV1, 1, SampleCamera(1, 0x7F800001u));
    // A byte-order mark, header lines, blank lines and tab-separated cells with the
    // leading zeros of a hex cell dropped are what text editors and spreadsheets make.
    std::string tabbed = TvCameraCsvRow(SetId::TV2, 9, SampleCamera(3));
    tabbed.replace(tabbed.find(",00000001,"), 10, ",1,");
    for (char& c : tabbed) c = c == ',' ? '\t' : c;
    const std::string text = "\xEF\xBB\xBF#header,4D\n#count,TV2,01,00,00,00\r" + CsvColumnNames() +
                             "\n" + tabbed + "\r\n  \n" + good;
    const ClipboardCameras read = CamerasFromClipboardText(text);
    ASSERT_TRUE(read.Ok()) << read.refusal;
    EXPECT_EQ(read.cameras, (std::vector<TvCamera>{SampleCamera(3), SampleCamera(1, 0x7F800001u)}));

    const PitlaneCamera pit;
    std::string flag = good;
    flag.replace(flag.find(",1,00000001,"), 3, ",2,");
    const std::pair<std::string, const char*> refusals[] = {
        {"\n\n", "Clipboard holds no camera. Ready."},
        {PitlaneCsvRow(pit), "Clipboard holds no camera. Ready."},
        {good + "\n" + PitlaneCsvRow(pit),
         "Clipboard row 2, column 1: the pitlane camera is no TV camera. Ready."},
        {"#x\n\n" + good + "\n" + good.substr(0, good.rfind(',')), "Clipboard row 4, column 30: "},
        {flag, "Clipboard row 1, column 11: "}};
    for (const auto& [clip, refusal] : refusals) {
        const ClipboardCameras r = CamerasFromClipboardText(clip);
        EXPECT_TRUE(r.refusal.starts_with(refusal)) << r.refusal;
        EXPECT_TRUE(r.cameras.empty());
    }
    // Only camera rows count as cameras for an entry box.
    for (const char* clip : {"12.5", "TV1-Cameras", "set,camera"})
        EXPECT_FALSE(HoldsCameraRows(clip)) << clip;
    for (const char* clip : {"TV2,1,broken", "\"TV1\"\t1", "PIT,1"})
        EXPECT_TRUE(HoldsCameraRows(clip)) << clip;
}

}  // namespace
}  // namespace vx
