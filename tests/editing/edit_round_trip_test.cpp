// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <random>

#include "document/cam_writer.h"
#include "editing/camera_set_ops.h"
#include "editing/field_entry.h"
#include "editing_test_support.h"

namespace vx {
namespace {

using testing::ScopedLocale;
using testing::TestDefaults;

// A loaded-looking document: random patterns everywhere, NaNs and odd count bytes
// included, which no edit below may normalise.
CamDocument RandomDocument() {
    std::mt19937 random(20261206);
    CamDocument doc;
    NewDocument(doc);
    for (std::uint8_t& byte : doc.Header) byte = static_cast<std::uint8_t>(random());
    for (CameraSet* set : {&doc.TV1, &doc.TV2}) {
        set->CountBytes = {5, 0xAB, 0xCD, 0xEF};
        for (TvCamera& camera : set->Cameras) {
            for (std::uint32_t& field : camera.Fields) field = random();
        }
        for (int i = 1; i <= 5; ++i) set->Camera(i).SetFloat(0, 1000.0f * static_cast<float>(i));
    }
    for (std::uint32_t& field : doc.Pitlane.Fields) field = random();
    doc.DataSaved = true;
    return doc;
}

TEST(EditRoundTrip, EverythingUntouchedByTheEditsIsWrittenBitForBit) {
    ScopedLocale locale("en_US");
    const CamDocument original = RandomDocument();
    CamDocument doc = original;
    CamDocument expected = original;

    ASSERT_EQ(EnterTvField(doc, SetId::TV1, 2, 1, "5.5", true), EntryResult::Accepted);
    expected.TV1.Camera(2).SetFloat(1, 5.5f);
    StepTvField(doc, SetId::TV2, 3, 9, 30);
    expected.TV2.Camera(3).SetFloat(9, testing::RadiansOf(30));
    SetCameraMode(doc, SetId::TV2, 4, true);
    expected.TV2.Camera(4).SetInt(TvField::Mode, 1);
    AssignFieldToAll(doc, SetId::TV1, 7, 5);
    for (int i = 1; i <= 5; ++i) expected.TV1.Camera(i).SetRaw(7, original.TV1.Camera(5).Raw(7));
    ASSERT_EQ(EnterPitlaneField(doc, 0, "-12.5"), EntryResult::Accepted);
    expected.Pitlane.SetFloat(0, -12.5f);
    // Refused entries and an insertion undone by a removal leave no trace.
    ASSERT_EQ(EnterTvField(doc, SetId::TV1, 3, 0, "-1", true), EntryResult::Rejected);
    ASSERT_EQ(EnterPitlaneField(doc, 2, "500"), EntryResult::Rejected);
    ASSERT_TRUE(InsertCameraBefore(doc, SetId::TV2, 2, TestDefaults(kMiddlePlacement)).ok);
    ASSERT_TRUE(RemoveCurrentCamera(doc, SetId::TV2, 2).ok);
    ASSERT_TRUE(InsertCameraBehind(doc, SetId::TV1, 3, TestDefaults(10.0f)).ok);
    ASSERT_TRUE(RemoveCurrentCamera(doc, SetId::TV1, 4).ok);
    // The size field is rewritten from the counts; the rest of the header is not.
    UpdateHeaderSize(expected);

    const std::vector<std::uint8_t> bytes = SerializeCamDocument(doc);
    ASSERT_EQ(bytes.size(), 72u + 56u * 10u);
    EXPECT_EQ(bytes, SerializeCamDocument(expected));
    EXPECT_FALSE(doc.DataSaved);
}

}  // namespace
}  // namespace vx
