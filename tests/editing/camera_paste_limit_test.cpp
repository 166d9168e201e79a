// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "support/sample_camera.h"

#include "editing/camera_set_ops.h"

namespace vx {
namespace {

using testing::SampleCamera;

TEST(PasteCameras, BlockBeyond255CamerasIsRefusedWholeAndAShownNumberOutsideTheSetIsClamped) {
    CamDocument doc;
    NewDocument(doc);
    doc.TV1.SetCount(254);
    UpdateHeaderSize(doc);
    const CamDocument full = doc;
    const SetOperation refused =
        PasteCameras(doc, SetId::TV1, 1, Placement::Behind, {SampleCamera(5), SampleCamera(6)});
    EXPECT_TRUE(refused.beep);
    EXPECT_EQ(refused.refusal,
              "Sorry, but maximum of possible TV1-cameras (256) has already been reached. Ready.");
    EXPECT_TRUE(doc.SameContent(full));
    EXPECT_EQ(doc.DataSaved, full.DataSaved);

    // One still fits; a shown number beyond the count is taken as the last camera.
    const SetOperation last =
        PasteCameras(doc, SetId::TV1, 400, Placement::Behind, {SampleCamera(7)});
    ASSERT_TRUE(last.ok);
    EXPECT_EQ(last.showCamera, 255);
    EXPECT_EQ(doc.TV1.Camera(255), SampleCamera(7));
    EXPECT_FALSE(PasteCameras(doc, SetId::TV1, 1, Placement::Before, {SampleCamera(8)}).ok);
}

}  // namespace
}  // namespace vx
