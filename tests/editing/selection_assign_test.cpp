// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "editing/camera_set_ops.h"
#include "editing_test_support.h"

namespace vx {
namespace {

using testing::DocumentWith;
using testing::ScopedLocale;

const char* const kRefusal12 = "Enter a number between 1 and  12. Ready.";

TEST(SelectCamera, TypedNumbersAreRoundedHalfToEvenAndClampedIntoTheSet) {
    ScopedLocale locale("en_US");
    const std::pair<const char*, int> cases[] = {{"7", 7},   {"0", 1},   {"40", 12},  {"2.5", 2},
                                                 {"3.5", 4}, {"1.2", 1}, {"255", 12}, {"-0.4", 1},
                                                 {" 5 ", 5}, {"1e1", 10}};
    for (const auto& [text, camera] : cases) {
        const Selection s = SelectCamera(text, 12);
        EXPECT_TRUE(s.ok) << text;
        EXPECT_FALSE(s.beep) << text;
        EXPECT_EQ(s.camera, camera) << text;
    }
}

TEST(SelectCamera, NumbersOutsideAByteAndTextsAreRefusedWithTheCount) {
    ScopedLocale locale("en_US");
    for (const char* text : {"300", "-3", "abc", "", "255.5", "-0.6", "2,5"}) {
        const Selection s = SelectCamera(text, 12);
        EXPECT_FALSE(s.ok) << text;
        EXPECT_TRUE(s.beep) << text;
        EXPECT_EQ(s.refusal, kRefusal12) << text;
    }
    EXPECT_EQ(SelectCamera("x", 1).refusal, "Enter a number between 1 and  1. Ready.");
    EXPECT_EQ(SelectCamera("x", 255).refusal, "Enter a number between 1 and  255. Ready.");
}

TEST(SelectCamera, FollowsTheLocaleAndShowsNothingInAnEmptySet) {
    ScopedLocale locale("de_DE");
    EXPECT_EQ(SelectCamera("3,5", 12).camera, 4);
    EXPECT_FALSE(SelectCamera("3.5", 12).ok);
    for (const char* text : {"0", "1", "5"}) {
        const Selection empty = SelectCamera(text, 0);
        EXPECT_TRUE(empty.ok) << text;
        EXPECT_EQ(empty.camera, 0) << text;
    }
    EXPECT_EQ(SelectCamera("-1", 0).refusal, "Enter a number between 1 and  0. Ready.");
}

TEST(CountField, OnlyTheCountItselfPassesTheGuard) {
    EXPECT_EQ(CountFieldGuard("12", 12), std::nullopt);
    for (const char* text : {"13", "", " 12", "12.0", "012"}) {
        EXPECT_EQ(CountFieldGuard(text, 12), "This value is not editable. Ready.") << text;
    }
}

TEST(AssignToAll, CopiesTheRawPatternToEveryCameraOfTheSetOnly) {
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 200.0f, 300.0f});
    const std::uint32_t nanPattern = 0x7FC0BEEFu;
    doc.TV1.Camera(2).SetRaw(2, nanPattern);
    doc.TV1.Camera(4).SetRaw(2, 0x12345678u);  // beyond the count
    const CamDocument before = doc;
    AssignFieldToAll(doc, SetId::TV1, 2, 2);
    CamDocument expected = before;
    for (int i = 1; i <= 3; ++i) expected.TV1.Camera(i).SetRaw(2, nanPattern);
    EXPECT_EQ(doc.TV1, expected.TV1);
    EXPECT_EQ(doc.TV2, before.TV2);
    EXPECT_EQ(doc.Header, before.Header);
    EXPECT_TRUE(doc.DataSaved);
    doc.DataSaved = false;
    AssignFieldToAll(doc, SetId::TV1, TvField::Mode, 1);
    EXPECT_FALSE(doc.DataSaved);
    EXPECT_EQ(doc.TV1.Camera(3).Raw(TvField::Mode), before.TV1.Camera(1).Raw(TvField::Mode));
}

TEST(AssignToAll, FieldsWithoutAButtonAndMissingCamerasChangeNothing) {
    CamDocument doc = DocumentWith(SetId::TV2, {100.0f, 200.0f});
    const CamDocument before = doc;
    AssignFieldToAll(doc, SetId::TV2, 12, 1);
    AssignFieldToAll(doc, SetId::TV2, 13, 2);
    AssignFieldToAll(doc, SetId::TV2, 0, 3);
    AssignFieldToAll(doc, SetId::TV2, 0, 0);
    EXPECT_TRUE(doc.SameContent(before));
    // A single camera gets its own value.
    CamDocument one = DocumentWith(SetId::TV1, {42.0f});
    AssignFieldToAll(one, SetId::TV1, 0, 1);
    EXPECT_EQ(one.TV1.Camera(1).Float(0), 42.0f);
}

TEST(AssignToAll, QuestionAndStatusTexts) {
    EXPECT_EQ(AssignQuestionText(SetId::TV2),
              "This will overwrite the same value of all other cameras in the TV2-set. Continue?");
    EXPECT_STREQ(kValuesCopiedText, "Values copied.Ready.");
    EXPECT_STREQ(kActionCanceledText, "Action canceled by user. Ready.");
}

}  // namespace
}  // namespace vx
