// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/field_entry.h"
#include "editing/locale_number.h"

#include <gtest/gtest.h>

#include <QString>
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

const double kInf = std::numeric_limits<double>::infinity();

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbourAndHugeOrNonFiniteValuesStay) {
    // Whole numbers against the floating-point unit's own ties-to-even, on exact halves
    // and values a hair beside them.
    std::mt19937 random(3);
    for (int i = 0; i < 2000; ++i) {
        const double value = (static_cast<int>(random() % 4001) - 2000) / 4.0 + (i % 3 - 1) * 1e-7;
        EXPECT_EQ(RoundHalfEven(value), std::nearbyint(value))
            << "case " << i << " value " << value;
    }
    // To decimal places: binary halves to even, huge and non-finite values stay.
    EXPECT_EQ(std::tuple(RoundHalfEven(0.1875, 3), RoundHalfEven(0.375, 2),
                         RoundHalfEven(3.0e38, 3), RoundHalfEven(-kInf, 3)),
              std::tuple(0.188, 0.38, 3.0e38, -kInf));
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""), 3)));
}

TEST(LocaleNumber, ReadsAndShowsNumbersInTheLocale) {
    ScopedLocale locale("en_US");
    const std::pair<const char*, double> numbers[] = {
        {"12.5", 12.5}, {"-3", -3.0}, {"+4", 4.0}, {"1.5E-2", 0.015}, {" 7 ", 7.0}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(ParseLocaleNumber(text), value) << text;
    // The typed-entry property covers the rest, in both locales.
    for (const char* text : {"   ", "-", "1,000", "inf", "1e400", "0x10"})
        EXPECT_EQ(ParseLocaleNumber(text), std::nullopt) << text;
    // General format without grouping or trailing zeros; exact halves at the last digit
    // go to the even neighbour.
    const std::pair<double, const char*> cases[] = {
        {12345.68f, "12345.68"}, {1234567.0, "1234567"},  {-0.0, "0"},        {std::nan(""), "NaN"},
        {10000.125, "10000.12"}, {10000.375, "10000.38"}, {kInf, "Infinity"}, {-kInf, "-Infinity"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatLocaleNumber(value, 7), text);
    // Huge values stay readable and read back.
    const std::string huge = FormatLocaleNumber(1.0e20, 7);
    EXPECT_NE(huge.find_first_of("eE"), std::string::npos) << huge;
    EXPECT_EQ(ParseLocaleNumber(huge), 1.0e20);
    EXPECT_EQ(ParseLocaleNumber(FormatLocaleNumber(12345678.0, 7)), 12345680.0);

    ScopedLocale german("de_DE");
    EXPECT_EQ(FormatLocaleNumber(10000.125, 7), "10000,12");
}

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

// Random entries against the model above, in either locale: a number in range (judged on
// the single it becomes) is stored as that single, in radians for angles, and clears
// DataSaved; the distance with a fixed switch-over moves the change-over point the other
// way, clamped. Anything else changes nothing.
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
        std::string text = QString::number(value, 'f', 3).toStdString();
        const unsigned spoil = random() % 8;  // 0: the other locale's separator, 1: no number
        if (comma != (spoil == 0)) std::replace(text.begin(), text.end(), '.', ',');
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
            CameraDefaults defaults = FactoryCameraDefaults(), expected = defaults;
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

TEST(FieldEntry, ValuesShowAtTheirPrecision) {
    ScopedLocale locale("en_US");
    // Seven significant digits, thousandths with binary halves to even, whole degrees on TV
    // angles, three decimals on pitlane angles. 0.0055 as a single lies below 0.0055, but
    // times 1000 as a single it is 5.5, which goes to even on a pitlane field.
    TvCamera tv;
    PitlaneCamera pit;
    const auto shown = [&](int field, float value, bool pitlane = false) {
        pitlane ? pit.SetFloat(field, value) : tv.SetFloat(field, value);
        return (pitlane ? FormatPitlaneField(pit, field) : FormatTvField(tv, field)) + " ";
    };
    EXPECT_EQ(shown(0, 12345.678f) + shown(2, 0.0625f) + shown(6, 0.0055f) + shown(7, 2.5f) +
                  shown(8, RadiansOf(45.6)) + shown(3, RadiansOf(28.6478), true) +
                  shown(10, 0.0055f, true),
              "12345.68 0.062 0.005 2.5 46 28.648 0.006 ");
}

TEST(Stepper, PositionsSitOnTheShownGridWithinTheRangeAndStepsAndTheModeStoreThem) {
    // Field, value in shown units, position; halves go to even, values beyond the range clamp,
    // and a field without a stepper has none.
    const double kNaN = std::nan(""), kMin = std::numeric_limits<std::int32_t>::min();
    const std::tuple<int, double, double> cases[] = {
        {1, 12.3456, 12346}, {9, 45.4996, 46},     {2, -200, -200000},
        {10, -360, -360},    {0, 60000, 50000000}, {5, -3.0e38, 0},
        {1, kNaN, 0},        {8, 1.0e30, 360},     {12, -1.0e30, kMin}};
    TvCamera camera;
    for (const auto& [field, value, position] : cases) {
        camera.SetFloat(field, field >= 8 ? RadiansOf(value) : static_cast<float>(value));
        EXPECT_EQ(TvStepperPosition(camera, field), position) << field << " " << value;
    }
    PitlaneCamera pit;
    pit.SetFloat(0, 3.0e38f);
    pit.SetFloat(3, RadiansOf(45.67));
    EXPECT_EQ(PitlaneStepperPosition(pit, 0) + PitlaneStepperPosition(pit, 3), 50000046);
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
    for (const auto& [field, position] : {std::pair{2, -1000}, {5, -360}, {7, 1000}})
        StepPitlaneField(doc, field, position);
    expected.Pitlane.SetFloat(2, -1.0f);
    expected.Pitlane.SetFloat(5, RadiansOf(-360));
    EXPECT_TRUE(doc.SameContent(expected) && doc.TV1 == expected.TV1 && doc.DataSaved);
    // The mode is the integer 1, not the pattern of 1.0f, and marks the change.
    for (const bool fixed : {true, false}) {
        SetCameraMode(doc, SetId::TV1, 1, fixed);
        expected.TV1.Camera(1).SetRaw(TvField::Mode, fixed ? 1 : 0);
        EXPECT_TRUE(doc.SameContent(expected) && doc.TV1 == expected.TV1 && !doc.DataSaved);
        doc.DataSaved = true;
    }
}

TEST(FieldTable, StepperRangesTooltipsAndRows) {
    // Pitlane?, field, minimum, maximum, increment: lengths step by a metre in millimetres.
    const std::tuple<bool, int, int, int, int> steppers[] = {
        {false, 0, 0, 50000000, 1000},    {false, 2, -200000, 200000, 1000},
        {true, 2, -200000, 200000, 1000}, {false, 6, 0, 10000, 1},
        {false, 11, 0, 360, 1},           {true, 4, -360, 360, 1}};
    for (const auto& [pitlane, field, minimum, maximum, increment] : steppers) {
        const StepperSpec& stepper =
            (pitlane ? PitlaneFieldInfo(field) : TvFieldInfo(SetId::TV1, field)).stepper;
        EXPECT_EQ(std::tuple(stepper.minimum, stepper.maximum, stepper.increment),
                  std::tuple(minimum, maximum, increment));
    }
    const std::string step = "Changes the value in steps of ";
    EXPECT_EQ(TvFieldInfo(SetId::TV1, 6).stepper.tooltip, step + "1/1000 per click");
    EXPECT_EQ(TvFieldInfo(SetId::TV2, 6).stepper.tooltip, step + "0.001 per click");
    EXPECT_STREQ(PitlaneFieldInfo(2).tooltip, "Enter a number between -200 and 200");
    // The mode switches the zoom rows off and the angle rows on.
    for (int f = 0; f < kTvFieldCount; ++f) {
        EXPECT_EQ(TvRowEnabled(f, false), f <= 7) << f;
        EXPECT_EQ(TvRowEnabled(f, true), f <= 4 || (f >= 8 && f <= 11)) << f;
    }
}

TEST(CameraDefaults, ShownTextsAndThePlacementChoice) {
    ScopedLocale locale("en_US");
    CameraDefaults defaults = FactoryCameraDefaults();
    EXPECT_EQ(defaults[11], 0x3FC90FDBu) << "the factory angle is what a typed 90 stores";
    // Loaded rounded to thousandths, restored in full, no minus sign on a rounded zero;
    // angles in whole degrees from the yaw on.
    defaults[1] = FloatBits(1.23456f);
    defaults[8] = FloatBits(RadiansOf(45.4));
    defaults[9] = FloatBits(RadiansOf(-0.3));
    EXPECT_EQ(DefaultValueLoadText(defaults, 1) + " " + DefaultValueRestoreText(defaults, 1) + " " +
                  DefaultValueLoadText(defaults, 8) + DefaultValueRestoreText(defaults, 8) + " " +
                  DefaultValueLoadText(defaults, 9),
              "1.235 1.23456 4545 0");
    defaults[0] = FloatBits(37.5f);
    EXPECT_EQ(ChooseDistancePlacement(defaults), "37.5");
    EXPECT_EQ(defaults[0], FloatBits(37.5f));
    defaults[0] = FloatBits(-1.0000001f);
    EXPECT_FALSE(IsMiddlePlacement(defaults));
}

}  // namespace
}  // namespace vx
