// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/camera_set_ops.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "editing_test_support.h"

namespace vx {
namespace {

using testing::DocumentWith;
using testing::ScopedLocale;
using testing::TestDefaults;

const float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = 1.0f / 0.0f;
using SetOp = SetOperation (*)(CamDocument&, SetId, int, const CameraDefaults&);

TEST(InsertCamera, NewDistancesFollowThePlacementRuleWithinTheTrack) {
    // Middle: halfway to the neighbour, rounded to thousandths with halves to even; before
    // the first camera from the start line, behind the last 200 up to 50000. A distance rule
    // is clamped to the track, never halfway to the next camera. Finite out-of-range
    // neighbours of a loaded file keep the rule as written; a NaN distance is the start line.
    const SetOp B = InsertCameraBefore, H = InsertCameraBehind;
    const float M = kMiddlePlacement;
    const std::tuple<std::vector<float>, SetOp, int, float, float> cases[] = {
        {{100, 300}, B, 2, M, 200},
        {{0, 0.125f}, B, 2, M, 0.062f},
        {{500}, B, 1, M, 0},
        {{0}, H, 1, M, 200},
        {{49950.5f}, H, 1, M, 50000},
        {{10, 30, 500}, B, 2, 50, 0},
        {{10, 30, 500}, B, 3, 50, 450},
        {{49990}, H, 1, 50, 50000},
        {{70000, 60000}, B, 2, M, 65000},
        {{70000}, B, 1, 50, 69950},
        {{kNaN, 100}, H, 1, M, 50},
        {{kNaN, 100}, B, 1, M, 0}};
    for (const auto& [distances, insert, shown, rule, expected] : cases) {
        CamDocument doc = DocumentWith(SetId::TV1, distances);
        ASSERT_TRUE(insert(doc, SetId::TV1, shown, TestDefaults(rule)).ok);
        EXPECT_EQ(doc.TV1.Camera(insert == B ? shown : shown + 1).Float(0), expected)
            << distances.size() << " cameras, shown " << shown << ", rule " << rule;
    }
    // A NaN neighbour counts as absent, a NaN rule as no offset.
    EXPECT_EQ(NewCameraDistance(Placement::Behind, kMiddlePlacement, 100, {}, kNaN), 300.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Before, kMiddlePlacement, 100, kNaN, {}), 0.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Behind, kNaN, 100, {}, {}), 100.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Behind, 50, kNaN, {}, {}), 50.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Behind, 50, -kInf, {}, {}), 50.0f);
    EXPECT_EQ(NewCameraDistance(Placement::Before, 50, kInf, {}, {}), 49950.0f);
}

// Random insertions, removals and pastes against a model of the 256 slots: which camera
// ends up where, what fields 12 and 13 a new camera inherits from the slot it takes, the
// refusals, the shown camera, the size field and DataSaved. Loaded distances and placement
// rules may be anything, a new camera still lands on the track.
TEST(CameraSetOps, RandomEditSequencesMatchASlotModel) {
    std::mt19937 random(20261207);
    const float odd[] = {0.0f, 50000.0f, kNaN, kInf, -kInf}, rules[] = {50, kNaN, -kInf};
    for (int round = 0; round < 40; ++round) {
        const CameraDefaults defaults =
            TestDefaults(round % 4 ? kMiddlePlacement : rules[round % 3]);
        std::vector<float> start(random() % 6);
        for (float& d : start) d = random() % 3 ? 100.0f * (random() % 500) : odd[random() % 5];
        CamDocument doc = DocumentWith(SetId::TV2, start);
        std::vector<TvCamera> model(doc.TV2.Cameras.begin(), doc.TV2.Cameras.end());
        const auto at = [&model](int slot) { return model.begin() + (slot - 1); };
        for (int step = 0; step < 60; ++step) {
            const CamDocument before = doc;
            const int n = doc.TV2.Count(), shown = static_cast<int>(random() % (n + 2));
            const int v = std::clamp(shown, 1, std::max(n, 1)),
                      kind = static_cast<int>(random() % 3);
            const bool behind = random() % 2;
            const int first = n == 0 ? 1 : behind ? v + 1 : v;
            SCOPED_TRACE(::testing::Message()
                         << "round " << round << " step " << step << " op " << kind
                         << (behind ? " behind " : " before ") << shown << " of " << n);
            const float cur = n == 0 ? -1.0f : model[static_cast<std::size_t>(v - 1)].Float(0);
            std::vector<TvCamera> block(kind == 2 ? random() % 40 : 1);
            for (TvCamera& c : block) c.SetRaw(13, random());
            const int k = static_cast<int>(block.size());
            std::string refusal;
            if (kind == 2 && k == 0)
                refusal = "Clipboard holds no camera. Ready.";
            else if (kind == 1 && n <= 1)
                refusal = NothingToDeleteText(SetId::TV2);
            else if (kind == 0 && behind && cur == 50000.0f)
                refusal = HighestDistanceText();
            else if (kind != 1 && n + k > 255)
                refusal = MaximumReachedText(SetId::TV2);
            else if (kind == 0 && !behind && cur == 0.0f)
                refusal = BeginningOfTrackText();
            const SetOperation op =
                kind == 2   ? PasteCameras(doc, SetId::TV2, shown,
                                         behind ? Placement::Behind : Placement::Before, block)
                : kind == 1 ? RemoveCurrentCamera(doc, SetId::TV2, shown)
                            : (behind ? InsertCameraBehind : InsertCameraBefore)(doc, SetId::TV2,
                                                                                 shown, defaults);
            ASSERT_EQ(std::tuple(op.refusal, op.ok, op.beep),
                      std::tuple(refusal, refusal.empty(), !refusal.empty()));
            if (!op.ok) {
                ASSERT_TRUE(doc.SameContent(before) && doc.DataSaved);
                continue;
            }
            if (kind == 1) {
                model.erase(at(v));
                model.insert(at(n), TvCamera{});
            } else {
                if (kind != 2) {
                    // The defaults over what the slot held, a fresh slot in an empty set.
                    block[0] = n == 0 ? TvCamera{} : model[static_cast<std::size_t>(first - 1)];
                    block[0].SetRaw(0, doc.TV2.Camera(first).Raw(0));
                    for (int f = 1; f <= 11; ++f)
                        block[0].SetRaw(f, defaults[static_cast<std::size_t>(f)]);
                }
                // Insertion behind moves the first free slot on; the others overwrite it.
                const int dropped = kind == 0 && behind && n > 0 ? n + 2 : n + 1;
                model.erase(at(dropped), at(dropped + k));
                model.insert(at(first), block.begin(), block.end());
            }
            const float placed = doc.TV2.Camera(first).Float(0);
            ASSERT_TRUE(kind != 0 || (placed >= 0.0f && placed <= 50000.0f)) << placed;
            const int count = kind == 1 ? n - 1 : n + k;
            ASSERT_EQ(op.showCamera, kind == 1 ? std::min(v, n - 1) : first);
            ASSERT_EQ(doc.TV2.Count(), count);
            ASSERT_TRUE(std::equal(doc.TV2.Cameras.begin(), doc.TV2.Cameras.end(), model.begin()));
            ASSERT_EQ(doc.SizeField(), 56u * static_cast<unsigned>(1 + count) + 60u);
            ASSERT_FALSE(doc.DataSaved);
            model.resize(256);
            doc.DataSaved = true;
        }
    }
}

// The other refusal texts are pinned where the window shows them.
TEST(CameraSetOps, RefusalTextsNameTheSet) {
    EXPECT_EQ(MaximumReachedText(SetId::TV2),
              "Sorry, but maximum of possible TV2-cameras (256) has already been reached. Ready.");
    EXPECT_EQ(HighestDistanceText(),
              "Sorry, but the current camera has already the highest possible #1-value. Ready.");
}

TEST(SelectCamera, TypedNumbersRoundHalfToEvenAndClampIntoTheSetOrAreRefused) {
    ScopedLocale locale("en_US");
    // 0 stands for a refusal.
    const std::pair<const char*, int> cases[] = {{"7", 7},   {"0", 1},     {"40", 12},  {"2.5", 2},
                                                 {"3.5", 4}, {"255", 12},  {"-0.4", 1}, {"300", 0},
                                                 {"abc", 0}, {"255.5", 0}, {"-0.6", 0}, {"2,5", 0}};
    for (const auto& [text, camera] : cases) {
        const Selection s = SelectCamera(text, 12);
        EXPECT_EQ(std::tuple(s.ok, s.beep, s.camera, s.refusal.empty()),
                  std::tuple(camera != 0, camera == 0, camera, camera != 0))
            << text;
    }
    // An empty set shows no camera; a comma locale takes the comma.
    EXPECT_TRUE(SelectCamera("5", 0).ok && SelectCamera("5", 0).camera == 0);
    ScopedLocale german("de_DE");
    EXPECT_EQ(SelectCamera("3,5", 12).camera, 4);
    EXPECT_FALSE(SelectCamera("3.5", 12).ok);
    EXPECT_EQ(CountFieldGuard("12", 12), std::nullopt);
    for (const char* text : {"13", "", " 12", "12.0", "012"})
        EXPECT_TRUE(CountFieldGuard(text, 12).has_value()) << text;
}

TEST(AssignToAll, CopiesTheRawPatternToEveryCameraOfTheSetOnly) {
    CamDocument doc = DocumentWith(SetId::TV1, {100, 200, 300});
    const CamDocument before = doc;
    // Fields without a button and missing cameras change nothing.
    for (auto [field, shown] : {std::pair{12, 1}, {13, 2}, {0, 4}, {0, 0}})
        AssignFieldToAll(doc, SetId::TV1, field, shown);
    EXPECT_TRUE(doc.SameContent(before));
    AssignFieldToAll(doc, SetId::TV1, 11, 3);
    for (int i = 1; i <= kSlotCount; ++i)
        EXPECT_EQ(doc.TV1.Camera(i).Raw(11), before.TV1.Camera(std::max(i, 3)).Raw(11)) << i;
    EXPECT_TRUE(doc.DataSaved) << "the caller marks the change";
}

}  // namespace
}  // namespace vx
