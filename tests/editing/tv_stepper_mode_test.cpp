// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <limits>

#include "editing/field_entry.h"
#include "editing/field_table.h"
#include "editing_test_support.h"

namespace vx {
namespace {

using testing::DocumentWith;
using testing::RadiansOf;
using testing::ScopedLocale;

class TvStepper : public ::testing::Test {
  protected:
    ScopedLocale locale_{"en_US"};
    CamDocument doc_ = DocumentWith(SetId::TV1, {100.0f});

    TvCamera& Camera() { return doc_.TV1.Camera(1); }
    std::int32_t Position(int field) { return TvStepperPosition(Camera(), field); }
    // One click as the window makes it: from the shown position, within the range.
    void Click(int field, int direction) {
        const StepperSpec& stepper = TvFieldInfo(SetId::TV1, field).stepper;
        const std::int64_t next =
            static_cast<std::int64_t>(Position(field)) + direction * stepper.increment;
        if (next < stepper.minimum || next > stepper.maximum) return;
        StepTvField(doc_, SetId::TV1, 1, field, static_cast<std::int32_t>(next));
    }
};

TEST_F(TvStepper, LengthsStepFromTheShownGridAnglesToWholeDegreesHeightsBelowGround) {
    Camera().SetFloat(1, 12.3456f);
    EXPECT_EQ(Position(1), 12346);
    Click(1, +1);
    EXPECT_EQ(Camera().Raw(1), FloatBits(13.346f));

    Camera().SetFloat(8, RadiansOf(45.6));
    EXPECT_EQ(Position(8), 46);
    Click(8, +1);
    EXPECT_EQ(Camera().Raw(8), FloatBits(RadiansOf(47)));
    // 45.4996 degrees rounds to 45.5 first and then to the even 46.
    Camera().SetFloat(9, RadiansOf(45.4996));
    EXPECT_EQ(Position(9), 46);

    // Stepping reaches below the ground, where typing cannot go.
    Camera().SetFloat(2, 0.0f);
    Click(2, -1);
    EXPECT_EQ(Camera().Float(2), -1.0f);
}

TEST_F(TvStepper, PositionsSitWithinTheStepperRangeAndClicksStopAtItsEnds) {
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    // Loaded values beyond the range sit at its ends; the unknown field 12 has no
    // stepper range, only the integer range.
    const struct {
        int field;
        float value;
        std::int32_t position;
    } cases[] = {
        {0, 50000.0f, 50000000},   {0, 0.0f, 0},
        {2, -200.0f, -200000},     {3, 10000.0f, 10000000},
        {5, 10.0f, 10000},         {10, RadiansOf(-360), -360},
        {11, RadiansOf(360), 360}, {0, 60000.0f, 50000000},
        {5, -3.0e38f, 0},          {1, kNaN, 0},
        {8, 1.0e30f, 360},         {12, -1.0e30f, std::numeric_limits<std::int32_t>::min()}};
    for (const auto& c : cases) {
        Camera().SetFloat(c.field, c.value);
        EXPECT_EQ(Position(c.field), c.position) << c.field << " " << c.value;
    }
    EXPECT_EQ(TvFieldInfo(SetId::TV1, 0).stepper.maximum, 50000000);

    Camera().SetFloat(0, 50000.0f);
    Click(0, +1);
    EXPECT_EQ(Camera().Float(0), 50000.0f);
    Camera().SetFloat(5, 10.0f);
    Click(5, +1);
    EXPECT_EQ(Camera().Float(5), 10.0f);
    Camera().SetFloat(6, 0.0f);
    Click(6, -1);
    EXPECT_EQ(Camera().Float(6), 0.0f);
    Click(6, +1);
    EXPECT_EQ(Camera().Float(6), 0.001f);
}

TEST_F(TvStepper, StepsLeaveDataSavedTheSwitchOverPointTheModeAndField13Alone) {
    Camera().SetFloat(3, 20.0f);
    Click(0, +1);
    EXPECT_EQ(Camera().Float(0), 101.0f);
    EXPECT_EQ(Camera().Float(3), 20.0f);
    EXPECT_TRUE(doc_.DataSaved);
    // Field 12 stores radians like the angles; 4 and 13 take no position.
    StepTvField(doc_, SetId::TV1, 1, 12, 7);
    EXPECT_EQ(Camera().Raw(12), FloatBits(RadiansOf(7)));
    const TvCamera before = Camera();
    for (int field : {4, 13}) StepTvField(doc_, SetId::TV1, 1, field, 7);
    StepTvField(doc_, SetId::TV1, 2, 0, 7000);  // beyond the count
    EXPECT_EQ(Camera(), before);
    EXPECT_EQ(doc_.TV1.Camera(2), TvCamera{});
    EXPECT_TRUE(doc_.DataSaved);
}

TEST(CameraMode, WritesTheIntegerFlagAndClearsDataSaved) {
    CamDocument doc = DocumentWith(SetId::TV2, {100.0f, 200.0f});
    const TvCamera before = doc.TV2.Camera(2);
    SetCameraMode(doc, SetId::TV2, 2, true);
    EXPECT_EQ(doc.TV2.Camera(2).Raw(TvField::Mode), 1u);  // not the pattern of 1.0f
    EXPECT_TRUE(doc.TV2.Camera(2).IsFixed());
    EXPECT_FALSE(doc.DataSaved);
    TvCamera expected = before;
    expected.SetRaw(TvField::Mode, 1);
    EXPECT_EQ(doc.TV2.Camera(2), expected);
    doc.DataSaved = true;
    SetCameraMode(doc, SetId::TV2, 2, false);
    EXPECT_EQ(doc.TV2.Camera(2).Raw(TvField::Mode), 0u);
    EXPECT_FALSE(doc.DataSaved);
    EXPECT_EQ(doc.TV2.Camera(1), DocumentWith(SetId::TV2, {100.0f}).TV2.Camera(1));
}

TEST(CameraMode, RowsFollowTheMode) {
    for (bool fixed : {false, true}) {
        for (int f = 0; f <= 4; ++f) EXPECT_TRUE(TvRowEnabled(f, fixed)) << f;
        for (int f = 5; f <= 7; ++f) EXPECT_EQ(TvRowEnabled(f, fixed), !fixed) << f;
        for (int f = 8; f <= 11; ++f) EXPECT_EQ(TvRowEnabled(f, fixed), fixed) << f;
        EXPECT_FALSE(TvRowEnabled(12, fixed));
        EXPECT_FALSE(TvRowEnabled(13, fixed));
    }
}

}  // namespace
}  // namespace vx
