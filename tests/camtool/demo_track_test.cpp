// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>

#include "camtool/demo_track.h"
#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979;

double Degrees(const TvCamera& camera, int field) {
    return static_cast<double>(camera.Float(field)) * kDegreesPerRadian;
}

// The editor refuses entries outside these ranges, so a demo camera outside
// them could not be typed back in.
void ExpectEditable(const TvCamera& camera) {
    EXPECT_GE(camera.Float(0), 0.0f);
    EXPECT_LE(camera.Float(0), 50000.0f);
    EXPECT_LE(std::fabs(camera.Float(1)), 200.0f);
    EXPECT_GT(camera.Float(2), 0.0f);
    EXPECT_LE(camera.Float(2), 200.0f);
    EXPECT_LE(std::fabs(camera.Float(3)), 10000.0f);
    EXPECT_TRUE(camera.Raw(TvField::Mode) == 0 || camera.Raw(TvField::Mode) == 1);
    for (int k = 5; k <= 7; ++k) {
        EXPECT_GT(camera.Float(k), 0.0f);
        EXPECT_LE(camera.Float(k), 10.0f);
    }
    for (int k = 8; k <= 10; ++k) EXPECT_LE(std::fabs(Degrees(camera, k)), 360.0);
    EXPECT_GT(Degrees(camera, 11), 0.0);
    EXPECT_LE(Degrees(camera, 11), 360.0);
    EXPECT_EQ(camera.Raw(12), 0u);
    EXPECT_EQ(camera.Raw(13), 0u);
}

TEST(DemoTrack, IsAPlausibleEditableTrack) {
    CamDocument doc;
    camtool::BuildDemoTrack(doc);
    EXPECT_EQ(doc.SizeField(), doc.ExpectedSizeField());
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        SCOPED_TRACE(SetName(id));
        const CameraSet& set = doc.Set(id);
        ASSERT_GE(set.Count(), 4);
        int fixed = 0;
        for (int i = 1; i <= set.Count(); ++i) {
            SCOPED_TRACE(i);
            ExpectEditable(set.Camera(i));
            fixed += set.Camera(i).IsFixed() ? 1 : 0;
            if (i > 1) {
                EXPECT_GT(set.Camera(i).Float(0), set.Camera(i - 1).Float(0));
            }
        }
        EXPECT_GT(fixed, 0);
        EXPECT_LT(fixed, set.Count());
    }
    EXPECT_NE(doc.Pitlane.Float(0), 0.0f);
    EXPECT_GT(doc.Pitlane.Float(2), 0.0f);
    EXPECT_GT(doc.Pitlane.Float(6), 0.0f);
    EXPECT_EQ(doc.Pitlane.Float(7), 0.0f);
    EXPECT_EQ(doc.Pitlane.Float(8), -0.125f);
}

TEST(DemoTrack, TheBuildLeavesItReadyToOpen) {
    CamDocument built;
    camtool::BuildDemoTrack(built);
    CamDocument loaded;
    ASSERT_EQ(ReadCamFile(DEMO_CAM_PATH, loaded).outcome, LoadOutcome::Success);
    EXPECT_TRUE(loaded.SameContent(built));
    EXPECT_EQ(testing::ReadBytes(DEMO_CAM_PATH), SerializeCamDocument(built));
}

}  // namespace
}  // namespace vx
