// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/field_table.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(FieldTable, ZoomStepperTooltipsDifferBetweenTheSets) {
    for (int f = 5; f <= 7; ++f) {
        EXPECT_STREQ(TvFieldInfo(SetId::TV1, f).stepper.tooltip,
                     "Changes the value in steps of 1/1000 per click");
        EXPECT_STREQ(TvFieldInfo(SetId::TV2, f).stepper.tooltip,
                     "Changes the value in steps of 0.001 per click");
    }
    // Everything else is the same in both sets.
    for (int f = 0; f < kTvFieldCount; ++f) {
        EXPECT_STREQ(TvFieldInfo(SetId::TV1, f).label, TvFieldInfo(SetId::TV2, f).label);
        EXPECT_STREQ(TvFieldInfo(SetId::TV1, f).tooltip, TvFieldInfo(SetId::TV2, f).tooltip);
        EXPECT_EQ(TvFieldInfo(SetId::TV1, f).stepper.maximum,
                  TvFieldInfo(SetId::TV2, f).stepper.maximum);
    }
}

TEST(FieldTable, HeightTooltipAndStepperReachBelowTheEntryRange) {
    for (const FieldInfo* height : {&TvFieldInfo(SetId::TV1, 2), &PitlaneFieldInfo(2)}) {
        EXPECT_STREQ(height->tooltip, "Enter a number between -200 and 200");
        EXPECT_EQ(height->minimum, 0.0);
        EXPECT_EQ(height->maximum, 200.0);
        EXPECT_EQ(height->stepper.minimum, -200000);
        EXPECT_EQ(height->stepper.increment, 1000);
    }
}

TEST(FieldTable, OnlyValueFieldsTakeTypedEntryOrSteps) {
    for (int f = 0; f < kTvFieldCount; ++f) {
        const FieldInfo& info = TvFieldInfo(SetId::TV1, f);
        const bool value = f != TvField::Mode && f < 12;
        EXPECT_EQ(info.typedEntry, value) << f;
        EXPECT_EQ(info.stepper.usable, value) << f;
        EXPECT_EQ(info.editable == Editable::Never, f >= 12) << f;
    }
    EXPECT_EQ(TvFieldInfo(SetId::TV1, TvField::Mode).kind, FieldKind::ModeFlag);
    EXPECT_STREQ(TvFieldInfo(SetId::TV1, 13).label, "Unknown, mail me if you know more! -->");
    for (int f = 0; f < kPitlaneFieldCount; ++f) {
        EXPECT_EQ(PitlaneFieldInfo(f).typedEntry, f <= 6) << f;
        EXPECT_EQ(PitlaneFieldInfo(f).stepper.usable, f <= 6) << f;
    }
    EXPECT_STREQ(PitlaneFieldInfo(7).tooltip, "");
    EXPECT_STREQ(PitlaneFieldInfo(8).tooltip, "");
}

}  // namespace
}  // namespace vx
