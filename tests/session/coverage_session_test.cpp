// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Lap lengths and the far limit beside the document, and a move of many cameras as one step.
#include <gtest/gtest.h>

#include "document/cam_writer.h"
#include "editing/camera_move.h"
#include "editing/coverage.h"
#include "session/coverage_preferences.h"
#include "session/document_session.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

TEST(CoveragePreferences, LapLengthsFollowTheFileAndDamagedValuesReadAsNotGiven) {
    testing::ScratchFolder scratch;
    const StateFolder folder(scratch.Path("state"));
    const std::string a = scratch.WriteFile("a.cam", ""), b = scratch.WriteFile("b.cam", "");
    CoveragePreferences prefs(folder);
    EXPECT_EQ(prefs.FarLimit(), kDefaultFarLimit);
    ASSERT_TRUE(prefs.SetLapLength("", 4800.5).ok);
    ASSERT_TRUE(prefs.FollowSave("", a).ok);
    ASSERT_TRUE(prefs.SetFarLimit(250).ok);
    ASSERT_TRUE(prefs.SetLapLength(b, 3000).ok);
    ASSERT_TRUE(prefs.FollowSave(a, b).ok) << "b keeps its own";
    prefs.ForgetUnnamed();
    const CoveragePreferences later(folder);
    EXPECT_EQ(later.LapLength(a), 4800.5);
    EXPECT_EQ(later.LapLength(b), 3000);
    EXPECT_EQ(later.LapLength(""), std::nullopt);
    EXPECT_EQ(later.FarLimit(), 250);
    ASSERT_TRUE(PerFileValues(folder, "lap-lengths").Set(a, "-5").ok);
    ASSERT_TRUE(folder.WriteText("far-limit", "far").ok);
    const CoveragePreferences damaged(folder);
    EXPECT_EQ(damaged.LapLength(a), std::nullopt);
    EXPECT_EQ(damaged.FarLimit(), kDefaultFarLimit);
}

TEST(MoveCameras, IsOneStepThatUndoRestoresToTheBit) {
    DocumentSession session;
    session.Reset([](CamDocument& doc) {
        NewDocument(doc);
        doc.TV1.SetCount(3);
        for (int i = 1; i <= 3; ++i) {
            doc.TV1.Camera(i).SetFloat(TvField::Distance, 1000.1f * static_cast<float>(i));
            doc.TV1.Camera(i).SetFloat(TvField::ChangeOver, -9999.9f);
        }
    });
    const std::vector<std::uint8_t> before = SerializeCamDocument(session.Document());
    CameraMove move;
    move.last = 3;
    move.amount = 1.7;
    move.keepSwitchPoints = true;
    ASSERT_TRUE(session.Apply({"Move cameras", {}}, [&](CamDocument& doc) {
        ASSERT_TRUE(MoveCameras(doc, SetId::TV1, move).ok);
    }));
    EXPECT_EQ(session.History().Count(), 1u);
    EXPECT_NE(SerializeCamDocument(session.Document()), before);
    session.Undo();
    EXPECT_EQ(SerializeCamDocument(session.Document()), before);
    EXPECT_FALSE(session.Unsaved());
}

}  // namespace
}  // namespace vx
