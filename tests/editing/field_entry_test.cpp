// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/field_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "editing/camera_defaults_entry.h"
#include "editing/field_table.h"
#include "editing_test_support.h"
#include "settings/settings.h"

namespace vx {
namespace {

using testing::DocumentWith;
using testing::RadiansOf;
using testing::ScopedLocale;

// The typed-entry ranges in shown units, degrees for the angles (TV and default fields
// from 8 on, pitlane fields from 3 on); {1, 0} where nothing is typed.
const double kTv[14][2] = {{0, 50000},  {-200, 200}, {0, 200}, {-10000, 10000}, {1, 0},
                           {0, 10},     {0, 10},     {0, 10},  {-360, 360},     {-360, 360},
                           {-360, 360}, {0, 360},    {1, 0},   {1, 0}};
const double kPitlane[13][2] = {
    {-50000, 50000}, {-50000, 50000}, {0, 200}, {-360, 360}, {-360, 360}, {-360, 360}, {0, 360},
    {1, 0},          {1, 0},          {1, 0},   {1, 0},      {1, 0},      {1, 0}};
const double kDefaults[12][2] = {{0, 1000},   {-200, 200}, {0, 200},    {-10000, 10000},
                                 {1, 0},      {0.001, 10}, {0.001, 10}, {0.001, 10},
                                 {-180, 180}, {-180, 180}, {-180, 180}, {0, 180}};

// Random entries into TV, pitlane and default fields against the model above, in either
// locale: a number in range (judged on the single it becomes) is stored as that single,
// in radians for angles, and clears DataSaved; the distance with a fixed switch-over moves
// the change-over point the other way, clamped. Anything else (out of range, no number,
// the other locale's separator, a field without typing, a missing camera) changes nothing.
TEST(FieldEntry, RandomTypedValuesFollowTheRangesInEitherLocale) {
    std::mt19937 random(1207);
    const char* const noNumbers[] = {"", "abc", "12m", "1e39", "nan", "1 000"};
    for (int i = 0; i < 4000; ++i) {
        const bool comma = i % 2;
        ScopedLocale locale(comma ? "de_DE" : "en_US");
        CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 300.0f});
        doc.TV1.Camera(2).SetFloat(3, i % 3 ? 20.0f : (i % 2 ? 9990.0f : -9990.0f));
        const CamDocument before = doc;
        const int kind = static_cast<int>(random() % 3);
        const int field = static_cast<int>(random() % (kind == 0 ? 14 : kind == 1 ? 13 : 12));
        const double* r = kind == 0 ? kTv[field] : kind == 1 ? kPitlane[field] : kDefaults[field];
        const bool degrees = field >= (kind == 1 ? 3 : 8);
        const double low = r[0] <= r[1] ? r[0] : 0, high = r[0] <= r[1] ? r[1] : 100;
        const double picks[] = {low, high, low - 0.001, high + 0.001, low - 1, high + 1};
        double value = picks[random() % 6];
        if (random() % 2)
            value = std::round((low + (high - low) * (random() % 10001) / 10000) * 1000) / 1000;
        char number[64];
        std::snprintf(number, sizeof number, "%.3f", value);
        std::string text = number;
        const unsigned spoil = random() % 8;
        const bool foreign = spoil == 0;
        if (comma != foreign) std::replace(text.begin(), text.end(), '.', ',');
        if (spoil == 1) text = noNumbers[random() % 6];
        const int camera = random() % 10 == 0 ? 3 : 2;
        const bool switchOver = random() % 2;
        const double single = static_cast<float>(value);
        const bool ok = spoil > 1 && r[0] <= single && single <= r[1] && (kind != 0 || camera == 2);
        SCOPED_TRACE(::testing::Message() << "case " << i << " kind " << kind << " field " << field
                                          << " camera " << camera << " '" << text << "'");
        const auto stored = [&](double v) {
            return FloatBits(degrees ? RadiansOf(v) : static_cast<float>(v));
        };
        if (kind == 2) {
            CameraDefaults defaults = FactoryCameraDefaults();
            CameraDefaults expected = defaults;
            // A default angle is converted from the single, not from the typed number.
            if (ok) expected[static_cast<std::size_t>(field)] = stored(single);
            ASSERT_EQ(EnterDefaultValue(defaults, field, text), ok);
            ASSERT_EQ(defaults, expected);
            continue;
        }
        const EntryResult result =
            kind == 0 ? EnterTvField(doc, SetId::TV1, camera, field, text, switchOver)
                      : EnterPitlaneField(doc, field, text);
        ASSERT_EQ(result, ok ? EntryResult::Accepted : EntryResult::Rejected);
        ASSERT_EQ(doc.DataSaved, !ok);
        CamDocument expected = before;
        if (ok && kind == 1) expected.Pitlane.SetRaw(field, stored(value));
        if (ok && kind == 0) {
            TvCamera& c = expected.TV1.Camera(2);
            if (field == 0 && switchOver)
                c.SetFloat(3, std::clamp(c.Float(3) - (static_cast<float>(value) - c.Float(0)),
                                         -10000.0f, 10000.0f));
            c.SetRaw(field, stored(value));
        }
        ASSERT_TRUE(doc.SameContent(expected) && doc.TV1 == expected.TV1);
    }
    // A NaN loaded distance or change-over point is no base for the switch-over.
    CamDocument doc = DocumentWith(SetId::TV1, {std::numeric_limits<float>::quiet_NaN()});
    doc.TV1.Camera(1).SetFloat(3, 20.0f);
    EXPECT_EQ(EnterTvField(doc, SetId::TV1, 1, 0, "100", true), EntryResult::Accepted);
    EXPECT_EQ(doc.TV1.Camera(1).Float(3), 20.0f);
    doc.TV1.Camera(1).SetRaw(3, 0x7FC01234u);
    EXPECT_EQ(EnterTvField(doc, SetId::TV1, 1, 0, "150", true), EntryResult::Accepted);
    EXPECT_EQ(doc.TV1.Camera(1).Raw(3), 0x7FC01234u);
}

TEST(FieldEntry, ValuesShowAtTheirPrecisionAndReEnterAsShown) {
    ScopedLocale locale("en_US");
    const struct {
        bool pitlane;
        int field;
        std::uint32_t bits;
        const char* shown;
    } cases[] = {
        {false, 0, FloatBits(12345.678f), "12345.68"},  // seven digits
        {false, 1, FloatBits(12.3456f), "12.346"},
        {false, 2, FloatBits(0.0625f), "0.062"},  // a binary half of a thousandth goes to even
        {false, 6, FloatBits(0.0055f), "0.005"},  // the stored value lies below 0.0055
        {false, 9, FloatBits(RadiansOf(-90.4)), "-90"},
        {false, 8, FloatBits(RadiansOf(45.6)), "46"},
        {false, 2, FloatBits(250.0f), "250"},  // loaded beyond the entry range
        {false, 1, 0x7FC00001u, "NaN"},
        {false, 12, 0x7F800000u, "Infinity"},
        {true, 3, FloatBits(0.5f), "28.648"},  // pitlane angles keep three decimals
        {true, 6, FloatBits(RadiansOf(359.999)), "359.999"},
        {true, 0, FloatBits(123.4567f), "123.457"},
        {true, 8, FloatBits(-0.125f), "-0.125"},
        {true, 10, FloatBits(0.0055f), "0.006"},  // times 1000 as a single: 5.5, then even
        {true, 3, 0xFFC00000u, "NaN"},
    };
    TvCamera camera;
    PitlaneCamera pitlane;
    for (const auto& c : cases) {
        const auto k = static_cast<std::size_t>(c.field);
        (c.pitlane ? pitlane.Fields[k] : camera.Fields[k]) = c.bits;
        EXPECT_EQ(c.pitlane ? FormatPitlaneField(pitlane, c.field) : FormatTvField(camera, c.field),
                  c.shown);
    }
    // A typed TV angle re-enters as the whole degrees shown; values shown beyond the
    // range (huge, NaN) are refused on re-entry.
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f});
    TvCamera& tv = doc.TV1.Camera(1);
    const auto reEnter = [&](int field) {
        return EnterTvField(doc, SetId::TV1, 1, field, FormatTvField(tv, field), false);
    };
    tv.SetFloat(8, RadiansOf(45.6));
    tv.SetFloat(0, 12345.678f);
    ASSERT_EQ(reEnter(8), EntryResult::Accepted);
    ASSERT_EQ(reEnter(0), EntryResult::Accepted);
    EXPECT_EQ(tv.Raw(8), FloatBits(RadiansOf(46)));
    EXPECT_EQ(tv.Raw(0), FloatBits(12345.68f));
    tv.SetFloat(0, 1.0e20f);
    tv.SetFloat(2, 250.0f);
    tv.SetRaw(1, 0x7FC00001u);
    for (int field : {0, 1, 2}) EXPECT_EQ(reEnter(field), EntryResult::Rejected) << field;
    ScopedLocale german("de_DE");
    EXPECT_EQ(FormatPitlaneField(pitlane, 8), "-0,125");
}

TEST(Stepper, PositionsSitOnTheShownGridWithinTheRangeAndStepsStoreThem) {
    const struct {
        int field;
        float value;
        std::int32_t position;
    } cases[] = {{1, 12.3456f, 12346},
                 {8, RadiansOf(45.6), 46},
                 {9, RadiansOf(45.4996), 46},  // 45.5, then even
                 {0, 50000, 50000000},
                 {2, -200, -200000},
                 {3, 10000, 10000000},
                 {10, RadiansOf(-360), -360},
                 {11, RadiansOf(360), 360},
                 {0, 60000, 50000000},
                 {5, -3.0e38f, 0},
                 {1, std::numeric_limits<float>::quiet_NaN(), 0},
                 {8, 1.0e30f, 360},
                 {12, -1.0e30f, std::numeric_limits<std::int32_t>::min()}};
    TvCamera camera;
    for (const auto& c : cases) {
        camera.SetFloat(c.field, c.value);
        EXPECT_EQ(TvStepperPosition(camera, c.field), c.position) << c.field << " " << c.value;
    }
    PitlaneCamera pitlane;
    pitlane.SetFloat(0, 3.0e38f);
    pitlane.SetFloat(3, RadiansOf(45.67));
    EXPECT_EQ(PitlaneStepperPosition(pitlane, 0), 50000000);
    EXPECT_EQ(PitlaneStepperPosition(pitlane, 3), 46);
    // A step stores its position and leaves DataSaved, field 3, the mode, field 13 and
    // cameras beyond the count alone; heights step below the ground typing cannot reach.
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f});
    CamDocument expected = doc;
    for (const auto& [field, position] :
         {std::pair{1, 13346}, {2, -1000}, {0, 101000}, {6, 1}, {8, 47}, {12, 7}}) {
        StepTvField(doc, SetId::TV1, 1, field, position);
        expected.TV1.Camera(1).SetFloat(
            field, field >= 8 ? RadiansOf(position) : static_cast<float>(position / 1000.0));
    }
    for (const auto& [number, field] : {std::pair{1, 4}, {1, 13}, {2, 0}})
        StepTvField(doc, SetId::TV1, number, field, 7000);
    StepPitlaneField(doc, 2, -1000);
    StepPitlaneField(doc, 5, -360);
    StepPitlaneField(doc, 7, 1000);
    expected.Pitlane.SetFloat(2, -1.0f);
    expected.Pitlane.SetFloat(5, RadiansOf(-360));
    EXPECT_TRUE(doc.SameContent(expected) && doc.TV1 == expected.TV1);
    EXPECT_TRUE(doc.DataSaved);
}

TEST(FieldTable, StepperRangesTooltipsAndRows) {
    // Lengths step by a metre in millimetres, heights down to -200 m, the rest by one.
    const std::tuple<const FieldInfo&, std::int32_t, std::int32_t, std::int32_t> steppers[] = {
        {TvFieldInfo(SetId::TV1, 0), 0, 50000000, 1000},
        {TvFieldInfo(SetId::TV2, 2), -200000, 200000, 1000},
        {PitlaneFieldInfo(2), -200000, 200000, 1000},
        {TvFieldInfo(SetId::TV1, 6), 0, 10000, 1},
        {TvFieldInfo(SetId::TV2, 11), 0, 360, 1},
        {PitlaneFieldInfo(4), -360, 360, 1}};
    for (const auto& [info, minimum, maximum, increment] : steppers) {
        EXPECT_EQ(std::tuple(info.stepper.minimum, info.stepper.maximum, info.stepper.increment),
                  std::tuple(minimum, maximum, increment))
            << info.label;
    }
    EXPECT_STREQ(TvFieldInfo(SetId::TV1, 6).stepper.tooltip,
                 "Changes the value in steps of 1/1000 per click");
    EXPECT_STREQ(TvFieldInfo(SetId::TV2, 6).stepper.tooltip,
                 "Changes the value in steps of 0.001 per click");
    EXPECT_STREQ(PitlaneFieldInfo(2).tooltip, "Enter a number between -200 and 200");
    // The mode switches the zoom rows off and the angle rows on.
    for (int f = 0; f < kTvFieldCount; ++f) {
        EXPECT_EQ(TvRowEnabled(f, false), f <= 7) << f;
        EXPECT_EQ(TvRowEnabled(f, true), f <= 4 || (f >= 8 && f <= 11)) << f;
    }
}

TEST(CameraMode, WritesTheIntegerFlagAndClearsDataSaved) {
    CamDocument doc = DocumentWith(SetId::TV2, {100.0f, 200.0f});
    CamDocument expected = doc;
    SetCameraMode(doc, SetId::TV2, 2, true);
    expected.TV2.Camera(2).SetRaw(TvField::Mode, 1);  // not the pattern of 1.0f
    EXPECT_TRUE(doc.SameContent(expected) && !doc.DataSaved);
    doc.DataSaved = true;
    SetCameraMode(doc, SetId::TV2, 2, false);
    EXPECT_EQ(doc.TV2.Camera(2).Raw(TvField::Mode), 0u);
    EXPECT_FALSE(doc.DataSaved);
}

TEST(CameraDefaults, ShownTextsAndThePlacementChoice) {
    ScopedLocale locale("en_US");
    CameraDefaults defaults = FactoryCameraDefaults();
    EXPECT_EQ(defaults[11], 0x3FC90FDBu) << "the factory angle is what a typed 90 stores";
    defaults[1] = FloatBits(1.23456f);
    defaults[2] = FloatBits(0.0625f);
    defaults[9] = FloatBits(RadiansOf(-0.3));
    EXPECT_EQ(DefaultValueLoadText(defaults, 1), "1.235");
    EXPECT_EQ(DefaultValueLoadText(defaults, 2), "0.062");
    EXPECT_EQ(DefaultValueLoadText(defaults, 9), "0") << "no minus sign on a rounded zero";
    EXPECT_EQ(DefaultValueRestoreText(defaults, 1), "1.23456");
    // Angles show as whole degrees, from the first (the yaw) on.
    defaults[8] = FloatBits(RadiansOf(45.4));
    EXPECT_EQ(DefaultValueLoadText(defaults, 8) + DefaultValueRestoreText(defaults, 8), "4545");
    defaults[0] = FloatBits(37.5f);
    EXPECT_EQ(ChooseDistancePlacement(defaults), "37.5");
    EXPECT_EQ(defaults[0], FloatBits(37.5f));
    defaults[0] = FloatBits(-1.0000001f);
    EXPECT_FALSE(IsMiddlePlacement(defaults));
}

}  // namespace
}  // namespace vx
