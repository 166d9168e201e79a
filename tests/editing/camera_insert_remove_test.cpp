#include <gtest/gtest.h>

#include <limits>

#include "editing/camera_set_ops.h"
#include "editing_test_support.h"

namespace vx {
namespace {

using testing::DocumentWith;
using testing::TestDefaults;

const CameraDefaults kMiddle = TestDefaults(kMiddlePlacement);

// What every successful insertion or removal leaves behind.
void ExpectCommitted(const CamDocument& doc, const SetOperation& op, int count, int show) {
    EXPECT_TRUE(op.ok) << op.refusal;
    EXPECT_FALSE(op.beep);
    EXPECT_EQ(op.showCamera, show);
    EXPECT_EQ(doc.TV1.Count(), count);
    EXPECT_EQ(doc.SizeField(),
              56u * static_cast<unsigned>(doc.TV1.Count() + doc.TV2.Count()) + 60u);
    EXPECT_FALSE(doc.DataSaved);
}

void ExpectRefusal(CamDocument& doc,
                   SetOperation (*op)(CamDocument&, SetId, int, const CameraDefaults&), int shown,
                   const CameraDefaults& defaults, const std::string& text) {
    const CamDocument before = doc;
    const SetOperation result = op(doc, SetId::TV1, shown, defaults);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.beep);
    EXPECT_EQ(result.refusal, text);
    EXPECT_TRUE(doc.SameContent(before));
    EXPECT_EQ(doc.DataSaved, before.DataSaved);
}

void ExpectNewCamera(const TvCamera& camera, float distance, const CameraDefaults& defaults) {
    EXPECT_EQ(camera.Raw(0), FloatBits(distance)) << camera.Float(0);
    for (int k = 1; k <= 11; ++k) {
        EXPECT_EQ(camera.Raw(k), defaults[static_cast<std::size_t>(k)]) << k;
    }
}

TEST(InsertCamera, MiddlePlacementBeforeGoesHalfwayToThePreviousCamera) {
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 300.0f});
    const TvCamera old2 = doc.TV1.Camera(2);
    const SetOperation op = InsertCameraBefore(doc, SetId::TV1, 2, kMiddle);
    ExpectCommitted(doc, op, 3, 2);
    ExpectNewCamera(doc.TV1.Camera(2), 200.0f, kMiddle);
    EXPECT_EQ(doc.TV1.Camera(3), old2);
    // Fields 12 and 13 are those of the camera the new one was copied from.
    EXPECT_EQ(doc.TV1.Camera(2).Raw(12), old2.Raw(12));
    EXPECT_EQ(doc.TV1.Camera(2).Raw(13), old2.Raw(13));
    EXPECT_EQ(doc.TV1.Camera(1), DocumentWith(SetId::TV1, {100.0f}).TV1.Camera(1));
}

TEST(InsertCamera, MiddleValuesAreRoundedToThousandthsWithHalvesToEven) {
    CamDocument doc = DocumentWith(SetId::TV1, {0.0f, 0.125f});
    ExpectCommitted(doc, InsertCameraBefore(doc, SetId::TV1, 2, kMiddle), 3, 2);
    EXPECT_EQ(doc.TV1.Camera(2).Raw(0), FloatBits(0.062f));
    doc = DocumentWith(SetId::TV1, {100.0f, 100.5f});
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 1, kMiddle), 3, 2);
    EXPECT_EQ(doc.TV1.Camera(2).Raw(0), FloatBits(100.25f));
    EXPECT_EQ(doc.TV1.Camera(3).Float(0), 100.5f);
}

TEST(InsertCamera, MiddlePlacementBeforeTheFirstCameraStartsAtZero) {
    CamDocument doc = DocumentWith(SetId::TV1, {500.0f});
    ExpectCommitted(doc, InsertCameraBefore(doc, SetId::TV1, 1, kMiddle), 2, 1);
    ExpectNewCamera(doc.TV1.Camera(1), 0.0f, kMiddle);
    EXPECT_EQ(doc.TV1.Camera(2).Float(0), 500.0f);
    ExpectRefusal(doc, InsertCameraBefore, 1, kMiddle, BeginningOfTrackText());
    EXPECT_EQ(BeginningOfTrackText(),
              "Sorry, but the current camera is already at the beginning of the track. Ready.");
}

TEST(InsertCamera, MiddlePlacementBehindTheLastCameraAdds200UpTo50000) {
    CamDocument doc = DocumentWith(SetId::TV1, {0.0f});
    ExpectRefusal(doc, InsertCameraBefore, 1, kMiddle, BeginningOfTrackText());
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 1, kMiddle), 2, 2);
    ExpectNewCamera(doc.TV1.Camera(2), 200.0f, kMiddle);

    doc = DocumentWith(SetId::TV1, {49900.0f});
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 1, kMiddle), 2, 2);
    EXPECT_EQ(doc.TV1.Camera(2).Float(0), 50000.0f);
    ExpectRefusal(doc, InsertCameraBehind, 2, kMiddle, HighestDistanceText());
    EXPECT_EQ(HighestDistanceText(),
              "Sorry, but the current camera has already the highest possible #1-value. Ready.");

    doc = DocumentWith(SetId::TV1, {49950.5f});
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 1, kMiddle), 2, 2);
    EXPECT_EQ(doc.TV1.Camera(2).Float(0), 50000.0f);
}

TEST(InsertCamera, DistancePlacementStaysWithinTheTrack) {
    const CameraDefaults by50 = TestDefaults(50.0f);
    CamDocument doc = DocumentWith(SetId::TV1, {10.0f, 30.0f, 500.0f});
    // Placed 50 m before, clamped to 0, although camera 1 lies above 0.
    ExpectCommitted(doc, InsertCameraBefore(doc, SetId::TV1, 2, by50), 4, 2);
    ExpectNewCamera(doc.TV1.Camera(2), 0.0f, by50);
    ExpectCommitted(doc, InsertCameraBefore(doc, SetId::TV1, 4, by50), 5, 4);
    EXPECT_EQ(doc.TV1.Camera(4).Float(0), 450.0f);
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 1, by50), 6, 2);
    EXPECT_EQ(doc.TV1.Camera(2).Float(0), 60.0f);  // not halfway to the next one

    doc = DocumentWith(SetId::TV1, {49990.0f});
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 1, by50), 2, 2);
    EXPECT_EQ(doc.TV1.Camera(2).Float(0), 50000.0f);
}

TEST(InsertCamera, TheNewLastCameraCarriesTheFirstFreeSlotIntoFields12And13) {
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 200.0f, 300.0f});
    // A loaded file may leave something in the slot beyond the count.
    doc.TV1.Camera(4).SetRaw(12, 0x11111111u);
    doc.TV1.Camera(4).SetRaw(13, 0x22222222u);
    const TvCamera old3 = doc.TV1.Camera(3);
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 2, kMiddle), 4, 3);
    ExpectNewCamera(doc.TV1.Camera(3), 250.0f, kMiddle);
    EXPECT_EQ(doc.TV1.Camera(3).Raw(12), old3.Raw(12));
    EXPECT_EQ(doc.TV1.Camera(4), old3);
    // The free slot moved on one place.
    EXPECT_EQ(doc.TV1.Camera(5).Raw(12), 0x11111111u);
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 4, kMiddle), 5, 5);
    EXPECT_EQ(doc.TV1.Camera(5).Raw(12), 0x11111111u);
    EXPECT_EQ(doc.TV1.Camera(5).Raw(13), 0x22222222u);
}

TEST(InsertCamera, AfterRemovingTheLastCameraANewLastOneHasZerosInFields12And13) {
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 200.0f, 300.0f});
    ASSERT_NE(doc.TV1.Camera(3).Raw(12), 0u);
    ExpectCommitted(doc, RemoveCurrentCamera(doc, SetId::TV1, 3), 2, 2);
    EXPECT_EQ(doc.TV1.Camera(3), TvCamera{});
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 2, kMiddle), 3, 3);
    ExpectNewCamera(doc.TV1.Camera(3), 400.0f, kMiddle);
    EXPECT_EQ(doc.TV1.Camera(3).Raw(12), 0u);
    EXPECT_EQ(doc.TV1.Camera(3).Raw(13), 0u);
}

TEST(InsertCamera, A255CameraSetRefusesWithTheHighestDistanceMessageFirst) {
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f});
    for (int i = 1; i < 255; ++i) {
        ASSERT_TRUE(InsertCameraBehind(doc, SetId::TV1, 1, TestDefaults(0.0f)).ok) << i;
    }
    ASSERT_EQ(doc.TV1.Count(), 255);
    doc.DataSaved = true;
    ExpectRefusal(doc, InsertCameraBefore, 128, kMiddle, MaximumReachedText(SetId::TV1));
    ExpectRefusal(doc, InsertCameraBehind, 255, kMiddle, MaximumReachedText(SetId::TV1));
    doc.TV1.Camera(7).SetFloat(0, 50000.0f);
    ExpectRefusal(doc, InsertCameraBehind, 7, kMiddle, HighestDistanceText());
    doc.TV1.Camera(7).SetFloat(0, 0.0f);
    ExpectRefusal(doc, InsertCameraBefore, 7, kMiddle, MaximumReachedText(SetId::TV1));
    EXPECT_EQ(MaximumReachedText(SetId::TV1),
              "Sorry, but maximum of possible TV1-cameras (256) has already been reached. Ready.");
    EXPECT_EQ(MaximumReachedText(SetId::TV2),
              "Sorry, but maximum of possible TV2-cameras (256) has already been reached. Ready.");
}

TEST(InsertCamera, OnlyTheSetActedOnChanges) {
    CamDocument doc = DocumentWith(SetId::TV2, {100.0f, 300.0f});
    const CamDocument before = doc;
    const SetOperation op = InsertCameraBehind(doc, SetId::TV2, 1, kMiddle);
    EXPECT_TRUE(op.ok);
    EXPECT_EQ(doc.TV2.Count(), 3);
    EXPECT_EQ(doc.TV1, before.TV1);
    EXPECT_EQ(doc.Pitlane, before.Pitlane);
    EXPECT_EQ(doc.TV2.CountBytes[1], before.TV2.CountBytes[1]);
    EXPECT_EQ(doc.SizeField(), 56u * 4u + 60u);
}

TEST(InsertCamera, AnEmptySetGetsItsFirstCameraAtTheStartLine) {
    for (auto insert : {InsertCameraBefore, InsertCameraBehind}) {
        CamDocument doc = DocumentWith(SetId::TV1, {});
        doc.TV1.Camera(1).SetRaw(12, 0x33333333u);  // left over beyond the count
        ExpectCommitted(doc, insert(doc, SetId::TV1, 0, kMiddle), 1, 1);
        ExpectNewCamera(doc.TV1.Camera(1), 0.0f, kMiddle);
        EXPECT_EQ(doc.TV1.Camera(1).Raw(12), 0u);
        EXPECT_EQ(doc.TV1.Camera(1).Raw(13), 0u);
    }
}

TEST(InsertCamera, NonFiniteLoadedDistancesStillPlaceWithinTheTrack) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    auto inTrack = [](float d) { return d >= 0.0f && d <= 50000.0f; };
    for (float rule : {kMiddlePlacement, 50.0f, nan}) {
        for (Placement where : {Placement::Before, Placement::Behind}) {
            for (float cur : {nan, inf, -inf, 100.0f}) {
                for (std::optional<float> other : {std::optional<float>{}, std::optional(nan),
                                                   std::optional(inf), std::optional(-inf)}) {
                    const float d = where == Placement::Before
                                        ? NewCameraDistance(where, rule, cur, other, {})
                                        : NewCameraDistance(where, rule, cur, {}, other);
                    EXPECT_TRUE(inTrack(d)) << d;
                }
            }
        }
    }
    // A NaN neighbour counts as absent.
    EXPECT_EQ(NewCameraDistance(Placement::Behind, kMiddlePlacement, 100.0f, {}, nan), 300.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Before, kMiddlePlacement, 100.0f, nan, {}), 0.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Behind, nan, 100.0f, {}, {}), 100.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Before, 50.0f, 100.0f, {}, {}), 50.0f);
    // A NaN current distance counts as the start line.
    EXPECT_EQ(NewCameraDistance(Placement::Behind, 50.0f, nan, {}, {}), 50.0f);

    CamDocument doc = DocumentWith(SetId::TV1, {nan, 100.0f});
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 1, kMiddle), 3, 2);
    EXPECT_EQ(doc.TV1.Camera(2).Float(0), 50.0f);
    ExpectCommitted(doc, InsertCameraBefore(doc, SetId::TV1, 1, kMiddle), 4, 1);
    EXPECT_EQ(doc.TV1.Camera(1).Float(0), 0.0f);
}

TEST(RemoveCamera, ClosesTheGapClearsTheSlotAndStopsAtOneCamera) {
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 200.0f, 300.0f});
    const TvCamera old3 = doc.TV1.Camera(3);
    ExpectCommitted(doc, RemoveCurrentCamera(doc, SetId::TV1, 2), 2, 2);
    EXPECT_EQ(doc.TV1.Camera(2), old3);
    EXPECT_EQ(doc.TV1.Camera(3), TvCamera{});
    ExpectCommitted(doc, RemoveCurrentCamera(doc, SetId::TV1, 2), 1, 1);
    EXPECT_EQ(doc.TV1.Camera(1).Float(0), 100.0f);
    EXPECT_EQ(doc.TV1.Camera(2), TvCamera{});

    doc.DataSaved = true;
    const CamDocument before = doc;
    const SetOperation refused = RemoveCurrentCamera(doc, SetId::TV1, 1);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.beep);
    EXPECT_EQ(refused.refusal, "Sorry, no more TV1-cameras there to delete. Ready.");
    EXPECT_TRUE(doc.SameContent(before));
    EXPECT_TRUE(doc.DataSaved);
}

TEST(RemoveCamera, AnEmptySetHasNothingToDelete) {
    CamDocument doc = DocumentWith(SetId::TV2, {});
    const SetOperation refused = RemoveCurrentCamera(doc, SetId::TV2, 0);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.refusal, NothingToDeleteText(SetId::TV2));
    EXPECT_EQ(NothingToDeleteText(SetId::TV2),
              "Sorry, no more TV2-cameras there to delete. Ready.");
    EXPECT_EQ(doc.TV2.Count(), 0);
}

}  // namespace
}  // namespace vx
