// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "support/sample_camera.h"

#include "editing/camera_set_ops.h"

namespace vx {
namespace {

using testing::SampleCamera;

CamDocument Document(std::initializer_list<float> tv1) {
    CamDocument doc;
    NewDocument(doc);
    int number = 0;
    for (float distance : tv1) doc.TV1.Camera(++number) = SampleCamera(distance);
    doc.TV1.SetCount(number);
    UpdateHeaderSize(doc);
    return doc;
}

std::vector<float> Distances(const CameraSet& set) {
    std::vector<float> distances;
    for (int i = 1; i <= set.Count(); ++i) distances.push_back(set.Camera(i).Float(0));
    return distances;
}

TEST(PasteCameras, BlockGoesBeforeOrBehindTheShownCameraWithAllItsFields) {
    CamDocument doc = Document({100, 200, 300});
    const std::vector<TvCamera> block{SampleCamera(150, 7), SampleCamera(160, 8)};
    SetOperation op = PasteCameras(doc, SetId::TV1, 2, Placement::Before, block);
    ASSERT_TRUE(op.ok);
    EXPECT_EQ(op.showCamera, 2);
    EXPECT_EQ(Distances(doc.TV1), (std::vector<float>{100, 150, 160, 200, 300}));
    EXPECT_EQ(doc.TV1.Camera(3).Raw(13), 8u) << "fields 12 and 13 come from the clipboard";
    EXPECT_EQ(doc.SizeField(), doc.ExpectedSizeField());
    EXPECT_FALSE(doc.DataSaved);
    EXPECT_EQ(doc.TV2.Count(), 1);

    op = PasteCameras(doc, SetId::TV1, 5, Placement::Behind, {SampleCamera(0)});
    ASSERT_TRUE(op.ok);
    EXPECT_EQ(op.showCamera, 6);
    EXPECT_EQ(Distances(doc.TV1), (std::vector<float>{100, 150, 160, 200, 300, 0}))
        << "the pasted distance stands, out of order or not";

    // An empty set takes the block as its first cameras.
    doc.TV2.SetCount(0);
    op = PasteCameras(doc, SetId::TV2, 0, Placement::Behind, block);
    ASSERT_TRUE(op.ok);
    EXPECT_EQ(op.showCamera, 1);
    EXPECT_EQ(Distances(doc.TV2), (std::vector<float>{150, 160}));
    EXPECT_EQ(doc.SizeField(), doc.ExpectedSizeField());
}

}  // namespace
}  // namespace vx
