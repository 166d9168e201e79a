// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <limits>

#include "editing/camera_set_ops.h"
#include "editing_test_support.h"

namespace vx {
namespace {

using testing::DocumentWith;
using testing::TestDefaults;

const CameraDefaults kMiddle = TestDefaults(kMiddlePlacement);
const float kNaN = std::numeric_limits<float>::quiet_NaN();

using SetOp = SetOperation (*)(CamDocument&, SetId, int, const CameraDefaults&);

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

void ExpectRefusal(CamDocument& doc, SetOp op, int shown, const std::string& text) {
    const CamDocument before = doc;
    const SetOperation result = op(doc, SetId::TV1, shown, kMiddle);
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

TEST(InsertCamera, NewDistancesFollowThePlacementRuleWithinTheTrack) {
    const struct {
        std::vector<float> distances;
        SetOp insert;
        int shown;
        float rule;
        float expected;
    } cases[] = {
        // Middle: halfway to the neighbour, rounded to thousandths with halves to even.
        {{100.0f, 300.0f}, InsertCameraBefore, 2, kMiddlePlacement, 200.0f},
        {{0.0f, 0.125f}, InsertCameraBefore, 2, kMiddlePlacement, 0.062f},
        {{100.0f, 100.5f}, InsertCameraBehind, 1, kMiddlePlacement, 100.25f},
        // Before the first camera from the start line, behind the last 200 up to 50000.
        {{500.0f}, InsertCameraBefore, 1, kMiddlePlacement, 0.0f},
        {{0.0f}, InsertCameraBehind, 1, kMiddlePlacement, 200.0f},
        {{49900.0f}, InsertCameraBehind, 1, kMiddlePlacement, 50000.0f},
        {{49950.5f}, InsertCameraBehind, 1, kMiddlePlacement, 50000.0f},
        // A distance rule: clamped to 0 although camera 1 lies above 0, and not
        // halfway to the next camera.
        {{10.0f, 30.0f, 500.0f}, InsertCameraBefore, 2, 50.0f, 0.0f},
        {{10.0f, 30.0f, 500.0f}, InsertCameraBefore, 3, 50.0f, 450.0f},
        {{10.0f, 30.0f, 500.0f}, InsertCameraBehind, 1, 50.0f, 60.0f},
        {{49990.0f}, InsertCameraBehind, 1, 50.0f, 50000.0f},
        // Finite out-of-range neighbours of a loaded file keep the rule as written.
        {{70000.0f, 60000.0f}, InsertCameraBefore, 2, kMiddlePlacement, 65000.0f},
        {{70000.0f}, InsertCameraBefore, 1, 50.0f, 69950.0f},
        // A NaN loaded distance counts as the start line.
        {{kNaN, 100.0f}, InsertCameraBehind, 1, kMiddlePlacement, 50.0f},
        {{kNaN, 100.0f}, InsertCameraBefore, 1, kMiddlePlacement, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.distances.size() << " cameras, shown " << c.shown << ", rule " << c.rule);
        CamDocument doc = DocumentWith(SetId::TV1, c.distances);
        const CameraDefaults defaults = TestDefaults(c.rule);
        const int at = c.insert == InsertCameraBefore ? c.shown : c.shown + 1;
        const int count = static_cast<int>(c.distances.size()) + 1;
        ExpectCommitted(doc, c.insert(doc, SetId::TV1, c.shown, defaults), count, at);
        ExpectNewCamera(doc.TV1.Camera(at), c.expected, defaults);
        if (at <= static_cast<int>(c.distances.size())) {
            EXPECT_EQ(doc.TV1.Camera(at + 1).Raw(0), FloatBits(c.distances[at - 1]));
        }
    }
}

TEST(InsertCamera, RefusalsAtTheTrackEndsAndTheFullSet) {
    CamDocument doc = DocumentWith(SetId::TV1, {0.0f});
    ExpectRefusal(doc, InsertCameraBefore, 1,
                  "Sorry, but the current camera is already at the beginning of the track. Ready.");
    doc = DocumentWith(SetId::TV1, {100.0f, 50000.0f});
    ExpectRefusal(
        doc, InsertCameraBehind, 2,
        "Sorry, but the current camera has already the highest possible #1-value. Ready.");

    doc = DocumentWith(SetId::TV1, {100.0f});
    for (int i = 1; i < 255; ++i) {
        ASSERT_TRUE(InsertCameraBehind(doc, SetId::TV1, 1, TestDefaults(0.0f)).ok) << i;
    }
    ASSERT_EQ(doc.TV1.Count(), 255);
    doc.DataSaved = true;
    const std::string full =
        "Sorry, but maximum of possible TV1-cameras (256) has already been reached. Ready.";
    ExpectRefusal(doc, InsertCameraBefore, 128, full);
    ExpectRefusal(doc, InsertCameraBehind, 255, full);
    // The highest-distance refusal comes first.
    doc.TV1.Camera(7).SetFloat(0, 50000.0f);
    ExpectRefusal(doc, InsertCameraBehind, 7, HighestDistanceText());
    doc.TV1.Camera(7).SetFloat(0, 0.0f);
    ExpectRefusal(doc, InsertCameraBefore, 7, full);
    EXPECT_EQ(MaximumReachedText(SetId::TV2),
              "Sorry, but maximum of possible TV2-cameras (256) has already been reached. Ready.");
}

TEST(InsertCamera, FieldsTwelveAndThirteenComeFromTheSlotTheNewCameraTakes) {
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 300.0f});
    const TvCamera old2 = doc.TV1.Camera(2);
    ExpectCommitted(doc, InsertCameraBefore(doc, SetId::TV1, 2, kMiddle), 3, 2);
    EXPECT_EQ(doc.TV1.Camera(3), old2);
    EXPECT_EQ(doc.TV1.Camera(2).Raw(12), old2.Raw(12));
    EXPECT_EQ(doc.TV1.Camera(2).Raw(13), old2.Raw(13));
    EXPECT_EQ(doc.TV1.Camera(1), DocumentWith(SetId::TV1, {100.0f}).TV1.Camera(1));

    // A new last camera takes the first free slot's, which a loaded file may fill.
    doc = DocumentWith(SetId::TV1, {100.0f, 200.0f, 300.0f});
    doc.TV1.Camera(4).SetRaw(12, 0x11111111u);
    doc.TV1.Camera(4).SetRaw(13, 0x22222222u);
    const TvCamera old3 = doc.TV1.Camera(3);
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 2, kMiddle), 4, 3);
    ExpectNewCamera(doc.TV1.Camera(3), 250.0f, kMiddle);
    EXPECT_EQ(doc.TV1.Camera(3).Raw(12), old3.Raw(12));
    EXPECT_EQ(doc.TV1.Camera(4), old3);
    EXPECT_EQ(doc.TV1.Camera(5).Raw(12), 0x11111111u);  // the free slot moved on
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 4, kMiddle), 5, 5);
    EXPECT_EQ(doc.TV1.Camera(5).Raw(12), 0x11111111u);
    EXPECT_EQ(doc.TV1.Camera(5).Raw(13), 0x22222222u);

    // After removing the last camera its slot is cleared, so the next new last one has zeros.
    doc = DocumentWith(SetId::TV1, {100.0f, 200.0f, 300.0f});
    ASSERT_NE(doc.TV1.Camera(3).Raw(12), 0u);
    ExpectCommitted(doc, RemoveCurrentCamera(doc, SetId::TV1, 3), 2, 2);
    ExpectCommitted(doc, InsertCameraBehind(doc, SetId::TV1, 2, kMiddle), 3, 3);
    ExpectNewCamera(doc.TV1.Camera(3), 400.0f, kMiddle);
    EXPECT_EQ(doc.TV1.Camera(3).Raw(12), 0u);
    EXPECT_EQ(doc.TV1.Camera(3).Raw(13), 0u);

    // An empty set gets its first camera at the start line, also with zeros.
    for (SetOp insert : {InsertCameraBefore, InsertCameraBehind}) {
        doc = DocumentWith(SetId::TV1, {});
        doc.TV1.Camera(1).SetRaw(12, 0x33333333u);
        ExpectCommitted(doc, insert(doc, SetId::TV1, 0, kMiddle), 1, 1);
        ExpectNewCamera(doc.TV1.Camera(1), 0.0f, kMiddle);
        EXPECT_EQ(doc.TV1.Camera(1).Raw(12), 0u);
        EXPECT_EQ(doc.TV1.Camera(1).Raw(13), 0u);
    }
}

TEST(InsertCamera, OnlyTheSetActedOnChanges) {
    CamDocument doc = DocumentWith(SetId::TV2, {100.0f, 300.0f});
    const CamDocument before = doc;
    EXPECT_TRUE(InsertCameraBehind(doc, SetId::TV2, 1, kMiddle).ok);
    EXPECT_EQ(doc.TV2.Count(), 3);
    EXPECT_EQ(doc.TV1, before.TV1);
    EXPECT_EQ(doc.Pitlane, before.Pitlane);
    EXPECT_EQ(doc.TV2.CountBytes[1], before.TV2.CountBytes[1]);
    EXPECT_EQ(doc.SizeField(), 56u * 4u + 60u);
}

TEST(InsertCamera, NonFiniteLoadedDistancesStillPlaceWithinTheTrack) {
    const float inf = std::numeric_limits<float>::infinity();
    for (float rule : {kMiddlePlacement, 50.0f, kNaN}) {
        for (Placement where : {Placement::Before, Placement::Behind}) {
            for (float cur : {kNaN, inf, -inf, 100.0f}) {
                for (std::optional<float> other : {std::optional<float>{}, std::optional(kNaN),
                                                   std::optional(inf), std::optional(-inf)}) {
                    const float d = where == Placement::Before
                                        ? NewCameraDistance(where, rule, cur, other, {})
                                        : NewCameraDistance(where, rule, cur, {}, other);
                    EXPECT_TRUE(d >= 0.0f && d <= 50000.0f) << d;
                }
            }
        }
    }
    // A NaN neighbour counts as absent, a NaN rule as no offset.
    EXPECT_EQ(NewCameraDistance(Placement::Behind, kMiddlePlacement, 100.0f, {}, kNaN), 300.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Before, kMiddlePlacement, 100.0f, kNaN, {}), 0.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Behind, kNaN, 100.0f, {}, {}), 100.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Before, 50.0f, 100.0f, {}, {}), 50.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Behind, 50.0f, kNaN, {}, {}), 50.0f);
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

    // An empty set has nothing to delete either.
    doc = DocumentWith(SetId::TV2, {});
    EXPECT_EQ(RemoveCurrentCamera(doc, SetId::TV2, 0).refusal,
              "Sorry, no more TV2-cameras there to delete. Ready.");
    EXPECT_EQ(doc.TV2.Count(), 0);
}

}  // namespace
}  // namespace vx
