// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "editing/field_entry.h"
#include "editing/field_table.h"
#include "editing_test_support.h"

namespace vx {
namespace {

using testing::RadiansOf;
using testing::ScopedLocale;

class Pitlane : public ::testing::Test {
  protected:
    Pitlane() { NewDocument(doc_); }
    ScopedLocale locale_{"en_US"};
    CamDocument doc_;

    PitlaneCamera& Camera() { return doc_.Pitlane; }
    void ExpectRefused(int field, const std::string& text) {
        const CamDocument before = doc_;
        EXPECT_EQ(EnterPitlaneField(doc_, field, text), EntryResult::Rejected) << field << text;
        EXPECT_EQ(doc_.Pitlane, before.Pitlane) << field << text;
        EXPECT_EQ(doc_.DataSaved, before.DataSaved);
    }
};

TEST_F(Pitlane, AnglesShowThreeDecimalsOfDegrees) {
    Camera().SetFloat(3, 0.5f);
    EXPECT_EQ(FormatPitlaneField(Camera(), 3), "28.648");
    Camera().SetFloat(4, RadiansOf(-90));
    EXPECT_EQ(FormatPitlaneField(Camera(), 4), "-90");
    Camera().SetFloat(6, RadiansOf(359.999));
    EXPECT_EQ(FormatPitlaneField(Camera(), 6), "359.999");
}

TEST_F(Pitlane, ATypedAngleKeepsItsDecimalsWhileTheStepperShowsWholeDegrees) {
    EXPECT_EQ(EnterPitlaneField(doc_, 3, "45.67"), EntryResult::Accepted);
    EXPECT_EQ(Camera().Raw(3), FloatBits(RadiansOf(45.67)));
    EXPECT_EQ(FormatPitlaneField(Camera(), 3), "45.67");
    EXPECT_EQ(PitlaneStepperPosition(Camera(), 3), 46);
    EXPECT_EQ(Camera().Raw(3), FloatBits(RadiansOf(45.67)));
    EXPECT_FALSE(doc_.DataSaved);
}

TEST_F(Pitlane, LengthsShowAndReEnterAtMillimetres) {
    Camera().SetFloat(0, 123.4567f);
    const std::string shown = FormatPitlaneField(Camera(), 0);
    EXPECT_EQ(shown, "123.457");
    EXPECT_EQ(EnterPitlaneField(doc_, 0, shown), EntryResult::Accepted);
    EXPECT_EQ(Camera().Raw(0), FloatBits(123.457f));
    // One click up from a loaded value adds a metre to its millimetre value.
    Camera().SetFloat(1, 123.4567f);
    StepPitlaneField(doc_, 1, PitlaneStepperPosition(Camera(), 1) + 1000);
    EXPECT_EQ(Camera().Raw(1), FloatBits(124.457f));
}

TEST_F(Pitlane, EntryRangesOfTheCoordinates) {
    EXPECT_EQ(EnterPitlaneField(doc_, 0, "-50000"), EntryResult::Accepted);
    EXPECT_EQ(EnterPitlaneField(doc_, 0, "50000"), EntryResult::Accepted);
    EXPECT_EQ(Camera().Float(0), 50000.0f);
    doc_.DataSaved = true;
    ExpectRefused(0, "50000.5");
    ExpectRefused(1, "-50001");
    ExpectRefused(2, "-1");
    EXPECT_EQ(EnterPitlaneField(doc_, 2, "200"), EntryResult::Accepted);
    ExpectRefused(3, "360.0001");
    ExpectRefused(6, "-0.5");
    ExpectRefused(0, "");
    ExpectRefused(0, "x");
    ExpectRefused(0, "1e39");
}

TEST_F(Pitlane, ZSteppedDownFromGroundStoresMinusOne) {
    Camera().SetFloat(2, 0.0f);
    const StepperSpec& stepper = PitlaneFieldInfo(2).stepper;
    const std::int32_t down = PitlaneStepperPosition(Camera(), 2) - stepper.increment;
    ASSERT_GE(down, stepper.minimum);
    StepPitlaneField(doc_, 2, down);
    EXPECT_EQ(Camera().Float(2), -1.0f);
    EXPECT_TRUE(doc_.DataSaved);
    StepPitlaneField(doc_, 5, -360);
    EXPECT_EQ(Camera().Raw(5), FloatBits(RadiansOf(-360)));
    EXPECT_TRUE(doc_.DataSaved);
}

TEST_F(Pitlane, TheUnknownFieldsAreShownLikeLengthsAndNeverChange) {
    EXPECT_EQ(FormatPitlaneField(Camera(), 8), "-0.125");
    EXPECT_EQ(FormatPitlaneField(Camera(), 7), "0");
    Camera().SetFloat(9, 0.0625f);
    EXPECT_EQ(FormatPitlaneField(Camera(), 9), "0.062");
    // The product with 1000 is rounded to single precision first: 0.0055f (just
    // below 0.0055) becomes 5.5 and then the even 6.
    Camera().SetFloat(10, 0.0055f);
    EXPECT_EQ(FormatPitlaneField(Camera(), 10), "0.006");
    for (int field = 7; field < kPitlaneFieldCount; ++field) {
        ExpectRefused(field, "0");
        const PitlaneCamera before = Camera();
        StepPitlaneField(doc_, field, 1000);
        EXPECT_EQ(Camera(), before) << field;
    }
}

TEST_F(Pitlane, HugeAndNonFiniteLoadedValuesNeverBreakTheDisplay) {
    Camera().SetFloat(0, 3.0e38f);
    EXPECT_EQ(ParseLocaleNumber(FormatPitlaneField(Camera(), 0)), 3.0e38);
    EXPECT_EQ(PitlaneStepperPosition(Camera(), 0), 50000000);
    Camera().SetRaw(3, 0xFFC00000u);
    EXPECT_EQ(FormatPitlaneField(Camera(), 3), "NaN");
    EXPECT_EQ(PitlaneStepperPosition(Camera(), 3), 0);
}

TEST(PitlaneLocale, CommaLocale) {
    ScopedLocale locale("de_DE");
    CamDocument doc;
    NewDocument(doc);
    EXPECT_EQ(EnterPitlaneField(doc, 3, "45,67"), EntryResult::Accepted);
    EXPECT_EQ(FormatPitlaneField(doc.Pitlane, 3), "45,67");
    EXPECT_EQ(FormatPitlaneField(doc.Pitlane, 8), "-0,125");
}

}  // namespace
}  // namespace vx
