// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "formats/angle_patterns.h"

namespace vx {
namespace {

using testing::Radians;

// Two tidy cameras per set, every value inside the editor's ranges.
CamDocument CleanDocument() {
    CamDocument doc;
    NewDocument(doc);
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        CameraSet& set = doc.Set(id);
        set.SetCount(2);
        for (int i = 1; i <= 2; ++i) {
            TvCamera& camera = set.Camera(i);
            camera.SetFloat(0, 100.0f * static_cast<float>(i));
            camera.SetFloat(2, 6.0f);
            camera.SetInt(4, i % 2);
            camera.SetFloat(5, 1.5f);
            camera.SetFloat(8, Radians(360));
            camera.SetFloat(11, Radians(40));
            camera.SetRaw(12, 0x12345678);  // unknown fields have no range
        }
    }
    doc.Pitlane.SetFloat(2, 200.0f);
    doc.Pitlane.SetFloat(6, Radians(360));
    UpdateHeaderSize(doc);
    return doc;
}

TEST(Check, ACleanFileHasNoFindingsAndEachFindingNamesSetCameraAndField) {
    EXPECT_EQ(CheckCamDocument(CleanDocument(), 0), std::vector<std::string>{});
    struct Case {
        void (*spoil)(CamDocument&);
        std::uint64_t trailing;
        std::string finding;
    };
    const std::vector<Case> cases = {
        {[](CamDocument& doc) { doc.Header[8] = 1; }, 0,
         "Header, size field: 257 does not match the counts, which call for 284"},
        {[](CamDocument& doc) {
             doc.TV2.SetCount(0);
             UpdateHeaderSize(doc);
         },
         0, "TV2: the set has no camera"},
        {[](CamDocument& doc) { doc.TV2.Camera(2).SetFloat(0, 99.5f); }, 0,
         "TV2 camera 2, Distance from s/f-line [m]: 99.5 lies before camera 1 at 100"},
        {[](CamDocument& doc) { doc.TV1.Camera(1).SetFloat(2, -1.0f); }, 0,
         "TV1 camera 1, Height from the ground [m]: -1 is outside the entry range 0 to 200"},
        {[](CamDocument& doc) { doc.TV1.Camera(2).SetFloat(8, Radians(400)); }, 0,
         "TV1 camera 2, Yaw [°] (fixed cam): 400 is outside the entry range -360 to 360"},
        {[](CamDocument& doc) { doc.TV1.Camera(2).SetFloat(7, 10.5f); }, 0,
         "TV1 camera 2, Zoom factor for second part [-] (moving cam): 10.5 is outside the entry "
         "range 0 to 10"},
        {[](CamDocument& doc) { doc.TV2.Camera(1).SetRaw(5, 0x7FC00000); }, 0,
         "TV2 camera 1, Initial zoom factor [-] (moving cam): not a finite number (nan, "
         "7FC00000)"},
        {[](CamDocument& doc) { doc.TV2.Camera(1).SetRaw(13, 0x7F800000); }, 0,
         "TV2 camera 1, Unknown, mail me if you know more!: not a finite number (inf, 7F800000)"},
        {[](CamDocument& doc) { doc.TV1.Camera(1).SetInt(4, 2); }, 0,
         "TV1 camera 1, Fixed (check) or moving (uncheck) camera: holds 2, not 0 or 1"},
        {[](CamDocument& doc) { doc.Pitlane.SetFloat(2, -0.5f); }, 0,
         "Pitlane camera, Absolute z-coordinate [m]: -0.5 is outside the entry range 0 to 200"},
        {[](CamDocument& doc) { doc.Pitlane.SetFloat(6, -std::numeric_limits<float>::infinity()); },
         0, "Pitlane camera, Opening angle [°]: not a finite number (-inf, FF800000)"},
        {[](CamDocument&) {}, 12,
         "File: 12 bytes after the pitlane record, which the editor neither reads nor writes"},
    };
    for (const Case& c : cases) {
        CamDocument doc = CleanDocument();
        c.spoil(doc);
        EXPECT_EQ(CheckCamDocument(doc, c.trailing), std::vector<std::string>{c.finding});
    }
}

TEST(Check, FindingsAddUp) {
    CamDocument doc = CleanDocument();
    doc.TV1.Camera(2).SetFloat(0, 50.0f);
    doc.TV1.Camera(2).SetFloat(1, 300.0f);
    doc.Header[9] = 7;
    EXPECT_EQ(CheckCamDocument(doc, 1).size(), 4u);
}

}  // namespace
}  // namespace vx
