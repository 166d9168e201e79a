// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// What check, diff and dump report about a document.
#include <gtest/gtest.h>

#include <limits>

#include "formats/cam_check.h"
#include "formats/cam_diff.h"
#include "formats/cam_json.h"
#include "formats/cam_text_table.h"

namespace vx {
namespace {

float Radians(double degrees) { return static_cast<float>(degrees * 3.14159265358979 / 180.0); }

// Two tidy cameras per set, every value inside the editor's ranges.
CamDocument CleanDocument() {
    CamDocument doc;
    NewDocument(doc);
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        doc.Set(id).SetCount(2);
        for (int i = 1; i <= 2; ++i) {
            TvCamera& camera = doc.Set(id).Camera(i);
            camera.SetFloat(0, 100.0f * static_cast<float>(i));
            camera.SetFloat(2, 6.0f);
            camera.SetInt(4, i % 2);
            camera.SetFloat(8, Radians(360));
            camera.SetFloat(12, 1e30f);  // unknown fields have no range
        }
    }
    doc.Pitlane.SetFloat(2, 200.0f);
    doc.Pitlane.SetFloat(6, Radians(360));
    UpdateHeaderSize(doc);
    return doc;
}

TEST(Check, EachFindingNamesSetCameraAndField) {
    EXPECT_EQ(CheckCamDocument(CleanDocument(), 0), std::vector<std::string>{});
    CamDocument doc = CleanDocument();
    doc.Header[8] = 1;
    doc.TV2.Camera(2).SetFloat(0, 99.5f);
    doc.TV1.Camera(1).SetFloat(2, -1.0f);
    doc.TV1.Camera(2).SetFloat(8, Radians(400));
    doc.TV2.Camera(1).SetRaw(5, 0x7FC00000);
    doc.TV1.Camera(1).SetInt(4, 2);
    doc.Pitlane.SetFloat(6, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(
        CheckCamDocument(doc, 12),
        (std::vector<std::string>{
            "Header, size field: 257 does not match the counts, which call for 284",
            "TV1 camera 1, Height from the ground [m]: -1 is outside the entry range 0 to 200",
            "TV1 camera 1, Fixed (check) or moving (uncheck) camera: holds 2, not 0 or 1",
            "TV1 camera 2, Yaw [°] (fixed cam): 400 is outside the entry range -360 to 360",
            "TV2 camera 1, Initial zoom factor [-] (moving cam): not a finite number (nan, "
            "7FC00000)",
            "TV2 camera 2, Distance from s/f-line [m]: 99.5 lies before camera 1 at 100",
            "Pitlane camera, Opening angle [°]: not a finite number (-inf, FF800000)",
            "File: 12 bytes after the pitlane record, which the editor neither reads nor writes"}));
    CamDocument empty = CleanDocument();
    empty.TV2.SetCount(0);
    empty.TV1.Camera(2).SetFloat(0, 100.0f);  // two cameras at one distance are in order
    UpdateHeaderSize(empty);
    EXPECT_EQ(CheckCamDocument(empty, 0), std::vector<std::string>{"TV2: the set has no camera"});
}

TEST(Diff, NamesSetCameraLabelQuantitiesAndPatterns) {
    const CamDocument a = CleanDocument();
    EXPECT_EQ(DiffCamDocuments({a, 0}, {a, 0}), std::vector<std::string>{});
    CamDocument b = a;
    b.TV1.Camera(2).SetFloat(2, 7.5f);
    b.Pitlane.SetRaw(8, 0x7FC00001);
    b.TV1.SetCount(4);
    b.TV1.Camera(3).SetFloat(0, 400.0f);
    UpdateHeaderSize(b);
    EXPECT_EQ(
        DiffCamDocuments({a, 0}, {b, 3}),
        (std::vector<std::string>{
            "Header: 4D 41 43 54 00 00 00 00 1C 01 00 00 in A, 4D 41 43 54 00 00 00 00 8C 01 00 00 "
            "in B",
            "TV1 count bytes: 02 00 00 00 in A (2 cameras), 04 00 00 00 in B (4 cameras)",
            "TV1 camera 2, Height from the ground [m]: 6 (40C00000) in A, 7.5 (40F00000) in B",
            "TV1 camera 3: only in B", "TV1 camera 4: only in B",
            "Pitlane camera, Leave this value at -0.125!: -0.125 (BE000000) in A, nan (7FC00001) "
            "in B",
            "Bytes after the pitlane record: 0 in A, 3 in B"}));
    EXPECT_EQ(DiffCamDocuments({b, 0}, {a, 0}).at(3), "TV1 camera 3: only in A");
    // Two NaN patterns differ even though both read as "nan".
    CamDocument c = b;
    c.Pitlane.SetRaw(8, 0x7FC00002);
    EXPECT_EQ(DiffCamDocuments({b, 0}, {c, 0}).size(), 1u);
}

TEST(Dump, JsonAndTableHoldHeaderCountsCamerasAndExactFields) {
    CamDocument doc = CleanDocument();
    doc.TV2.SetCount(0);
    doc.TV2.CountBytes[2] = 0xAB;
    doc.Header[5] = 0x22;
    doc.TV1.Camera(2).SetFloat(0, 480.0f);
    doc.TV1.Camera(2).SetRaw(13, 0x7FC0BEEF);
    UpdateHeaderSize(doc);
    // The JSON keeps the exact pattern beside each value; the table lines it up.
    const std::string json = CamDocumentJson(doc), text = CamDocumentTextTable(doc);
    for (const char* item :
         {"\"header\": [77, 65, 67, 84, 0, 34, 0, 0, 172, 0, 0, 0]", "\"sizeField\": 172",
          "\"countBytes\": [0, 0, 171, 0]", "\"cameras\": []",
          "\"label\": \"Distance from s/f-line [m] -->\", \"kind\": \"Length\", \"value\": 480, "
          "\"raw\": \"43F00000\"",
          "\"value\": \"nan\", \"raw\": \"7FC0BEEF\"", "\"value\": -0.125, \"raw\": \"BE000000\""})
        EXPECT_NE(json.find(item), std::string::npos) << item << "\n" << json.substr(0, 3000);
    EXPECT_EQ(json.find("\"field\": 14"), std::string::npos) << "a TV camera has fields 0 to 13";
    for (const char* line :
         {"Header 4D 41 43 54 00 22 00 00 AC 00 00 00", "TV1: 2 cameras  (count bytes 02 00 00 00)",
          "TV2: 0 cameras  (count bytes 00 00 AB 00)", "TV1 camera 1 (fixed)",
          "Leave this value at -0.125!", "[m]                      480             43F00000\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;  // lined up
}

}  // namespace
}  // namespace vx
