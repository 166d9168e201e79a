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

// The typed-entry ranges, in shown units; angles are typed in degrees.
struct Range {
    double low, high;
    bool degrees;
};
const Range kTvRanges[] = {{0, 50000, false},      {-200, 200, false}, {0, 200, false},
                           {-10000, 10000, false}, {0, 0, false},      {0, 10, false},
                           {0, 10, false},         {0, 10, false},     {-360, 360, true},
                           {-360, 360, true},      {-360, 360, true},  {0, 360, true}};
const Range kPitlaneRanges[] = {{-50000, 50000, false}, {-50000, 50000, false}, {0, 200, false},
                                {-360, 360, true},      {-360, 360, true},      {-360, 360, true},
                                {0, 360, true}};
const Range kDefaultRanges[] = {{0, 1000, false},       {-200, 200, false}, {0, 200, false},
                                {-10000, 10000, false}, {0, 0, false},      {0.001, 10, false},
                                {0.001, 10, false},     {0.001, 10, false}, {-180, 180, true},
                                {-180, 180, true},      {-180, 180, true},  {0, 180, true}};

// A number near or between the bounds, with at most three decimals, as typed in the locale.
std::pair<double, std::string> RandomEntry(std::mt19937& random, const Range& r, bool comma) {
    const double picks[] = {r.low, r.high, r.low - 0.001, r.high + 0.001, r.low - 1, r.high + 1};
    double value = picks[random() % 6];
    if (random() % 2)
        value = std::round((r.low + (r.high - r.low) * (random() % 10001) / 10000.0) * 1000) / 1000;
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string typed = text;
    if (comma) std::replace(typed.begin(), typed.end(), '.', ',');
    return {value, typed};
}
std::uint32_t Stored(double value, const Range& r) {
    return FloatBits(r.degrees ? RadiansOf(value) : static_cast<float>(value));
}

// Entry into TV, pitlane and default fields against the ranges above: a value in range
// is stored as a single (radians for angles) and clears DataSaved, the distance with a
// fixed switch-over moves the change-over point the other way; anything else changes
// nothing at all.
TEST(FieldEntry, RandomTypedValuesFollowTheRangesInEitherLocale) {
    std::mt19937 random(1207);
    for (int i = 0; i < 3000; ++i) {
        const bool comma = i % 2;
        ScopedLocale locale(comma ? "de_DE" : "en_US");
        CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 300.0f});
        doc.TV1.Camera(2).SetFloat(3, (i % 3) ? 20.0f : (i % 2 ? 9990.0f : -9990.0f));
        const CamDocument before = doc;
        const int which = static_cast<int>(random() % 3);
        const int field = static_cast<int>(random() % (which == 1 ? 7 : 12));
        if (field == TvField::Mode && which != 1) continue;
        const Range& range = which == 0   ? kTvRanges[field]
                             : which == 1 ? kPitlaneRanges[field]
                                          : kDefaultRanges[field];
        const auto [value, text] = RandomEntry(random, range, comma);
        // Ranges are judged on the single that would be stored.
        const double single = static_cast<float>(value);
        const bool inRange = range.low <= single && single <= range.high;
        const bool switchOver = random() % 2;
        SCOPED_TRACE(::testing::Message() << "case " << i << " kind " << which << " field " << field
                                          << " '" << text << "' switch " << switchOver);
        if (which == 2) {
            CameraDefaults defaults = FactoryCameraDefaults();
            CameraDefaults expected = defaults;
            // A default angle is converted from the single, not from the typed number.
            if (inRange) expected[static_cast<std::size_t>(field)] = Stored(single, range);
            ASSERT_EQ(EnterDefaultValue(defaults, field, text), inRange);
            ASSERT_EQ(defaults, expected);
            continue;
        }
        const EntryResult result = which == 0
                                       ? EnterTvField(doc, SetId::TV1, 2, field, text, switchOver)
                                       : EnterPitlaneField(doc, field, text);
        ASSERT_EQ(result, inRange ? EntryResult::Accepted : EntryResult::Rejected);
        ASSERT_EQ(doc.DataSaved, !inRange);
        CamDocument expected = before;
        if (inRange && which == 1) expected.Pitlane.SetRaw(field, Stored(value, range));
        if (inRange && which == 0) {
            TvCamera& camera = expected.TV1.Camera(2);
            if (field == 0 && switchOver) {
                const float shifted =
                    camera.Float(3) - (static_cast<float>(value) - camera.Float(0));
                camera.SetFloat(3, std::clamp(shifted, -10000.0f, 10000.0f));
            }
            camera.SetRaw(field, Stored(value, range));
        }
        ASSERT_TRUE(doc.SameContent(expected));
    }
}

TEST(FieldEntry, WhatIsNoNumberOrHasNoEntryBoxIsRefused) {
    ScopedLocale locale("en_US");
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f, 300.0f});
    const CamDocument before = doc;
    for (const char* text : {"", "abc", "1,5", "12m", "1e39", "nan"}) {
        for (int field : {0, 3, 8, 11})
            EXPECT_EQ(EnterTvField(doc, SetId::TV1, 2, field, text, false), EntryResult::Rejected)
                << text;
        EXPECT_EQ(EnterPitlaneField(doc, 0, text), EntryResult::Rejected) << text;
        CameraDefaults defaults = FactoryCameraDefaults();
        EXPECT_FALSE(EnterDefaultValue(defaults, 3, text)) << text;
    }
    // The mode flag, the unknown fields and cameras beyond the count take no typing.
    for (auto [camera, field] : {std::pair{2, 4}, {2, 12}, {2, 13}, {3, 0}, {0, 0}})
        EXPECT_EQ(EnterTvField(doc, SetId::TV1, camera, field, "1", false), EntryResult::Rejected);
    for (int field = 7; field < kPitlaneFieldCount; ++field) {
        EXPECT_EQ(EnterPitlaneField(doc, field, "0"), EntryResult::Rejected);
        StepPitlaneField(doc, field, 1000);
    }
    EXPECT_TRUE(doc.SameContent(before));
    EXPECT_TRUE(doc.DataSaved);
    // A NaN loaded distance or change-over point is no base for the switch-over.
    doc.TV1.Camera(2).SetFloat(0, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(EnterTvField(doc, SetId::TV1, 2, 0, "100", true), EntryResult::Accepted);
    EXPECT_EQ(doc.TV1.Camera(2).Float(3), before.TV1.Camera(2).Float(3));
    doc.TV1.Camera(2).SetRaw(3, 0x7FC01234u);
    EXPECT_EQ(EnterTvField(doc, SetId::TV1, 2, 0, "150", true), EntryResult::Accepted);
    EXPECT_EQ(doc.TV1.Camera(2).Raw(3), 0x7FC01234u);
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
        {false, 5, FloatBits(1.0f), "1"},
        {false, 9, FloatBits(RadiansOf(-90.4)), "-90"},
        {false, 8, FloatBits(RadiansOf(45.6)), "46"},
        {false, 2, FloatBits(250.0f), "250"},  // loaded beyond the entry range
        {false, 1, 0x7FC00001u, "NaN"},
        {false, 12, 0x7F800000u, "Infinity"},
        {true, 3, FloatBits(0.5f), "28.648"},  // pitlane angles keep three decimals
        {true, 6, FloatBits(RadiansOf(359.999)), "359.999"},
        {true, 0, FloatBits(123.4567f), "123.457"},
        {true, 8, FloatBits(-0.125f), "-0.125"},
        // The product with 1000 is a single first: 5.5 and then the even 6.
        {true, 10, FloatBits(0.0055f), "0.006"},
        {true, 3, 0xFFC00000u, "NaN"},
    };
    TvCamera camera;
    PitlaneCamera pitlane;
    for (const auto& c : cases) {
        (c.pitlane ? pitlane.Fields[c.field] : camera.Fields[c.field]) = c.bits;
        EXPECT_EQ(c.pitlane ? FormatPitlaneField(pitlane, c.field) : FormatTvField(camera, c.field),
                  c.shown)
            << c.field;
    }
    // A typed TV angle shows as whole degrees and re-enters as such; values shown
    // beyond the range (huge, NaN) are refused on re-entry.
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f});
    TvCamera& tv = doc.TV1.Camera(1);
    ASSERT_EQ(EnterTvField(doc, SetId::TV1, 1, 8, "45.6", false), EntryResult::Accepted);
    ASSERT_EQ(EnterTvField(doc, SetId::TV1, 1, 8, FormatTvField(tv, 8), false),
              EntryResult::Accepted);
    EXPECT_EQ(tv.Raw(8), FloatBits(RadiansOf(46)));
    tv.SetFloat(0, 12345.678f);
    ASSERT_EQ(EnterTvField(doc, SetId::TV1, 1, 0, FormatTvField(tv, 0), false),
              EntryResult::Accepted);
    EXPECT_EQ(tv.Raw(0), FloatBits(12345.68f));
    tv.SetFloat(0, 1.0e20f);
    tv.SetFloat(2, 250.0f);
    tv.SetRaw(1, 0x7FC00001u);
    for (int field : {0, 1, 2})
        EXPECT_EQ(EnterTvField(doc, SetId::TV1, 1, field, FormatTvField(tv, field), false),
                  EntryResult::Rejected);
    // A typed pitlane angle keeps its decimals.
    ASSERT_EQ(EnterPitlaneField(doc, 3, "45.67"), EntryResult::Accepted);
    EXPECT_EQ(FormatPitlaneField(doc.Pitlane, 3), "45.67");
    ScopedLocale german("de_DE");
    EXPECT_EQ(FormatPitlaneField(doc.Pitlane, 3), "45,67");
}

TEST(Stepper, PositionsSitOnTheShownGridWithinTheStepperRange) {
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const struct {
        int field;
        float value;
        std::int32_t position;
    } cases[] = {{1, 12.3456f, 12346},
                 {8, RadiansOf(45.6), 46},
                 {9, RadiansOf(45.4996), 46},  // 45.5, then even
                 {0, 50000, 50000000},
                 {0, 0, 0},
                 {2, -200, -200000},
                 {3, 10000, 10000000},
                 {5, 10, 10000},
                 {10, RadiansOf(-360), -360},
                 {11, RadiansOf(360), 360},
                 {0, 60000, 50000000},
                 {5, -3.0e38f, 0},
                 {1, kNaN, 0},
                 {8, 1.0e30f, 360},
                 {12, -1.0e30f, std::numeric_limits<std::int32_t>::min()}};
    TvCamera camera;
    for (const auto& c : cases) {
        camera.SetFloat(c.field, c.value);
        EXPECT_EQ(TvStepperPosition(camera, c.field), c.position) << c.field << " " << c.value;
    }
    PitlaneCamera pitlane;
    pitlane.SetFloat(0, 3.0e38f);
    EXPECT_EQ(PitlaneStepperPosition(pitlane, 0), 50000000);
    pitlane.SetFloat(3, RadiansOf(45.67));
    EXPECT_EQ(PitlaneStepperPosition(pitlane, 3), 46);
    pitlane.SetRaw(3, 0xFFC00000u);
    EXPECT_EQ(PitlaneStepperPosition(pitlane, 3), 0);
}

TEST(Stepper, AStepStoresThePositionAndLeavesDataSavedAndTheRestAlone) {
    CamDocument doc = DocumentWith(SetId::TV1, {100.0f});
    CamDocument expected = doc;
    TvCamera& camera = expected.TV1.Camera(1);
    const std::pair<int, std::int32_t> steps[] = {{1, 13346}, {2, -1000}, {0, 101000},
                                                  {6, 1},     {8, 47},    {12, 7}};
    for (const auto& [field, position] : steps) {
        StepTvField(doc, SetId::TV1, 1, field, position);
        camera.SetFloat(field,
                        field >= 8 ? RadiansOf(position) : static_cast<float>(position / 1000.0));
    }
    // The mode, field 13 and cameras beyond the count take no position.
    StepTvField(doc, SetId::TV1, 1, 4, 7);
    StepTvField(doc, SetId::TV1, 1, 13, 7);
    StepTvField(doc, SetId::TV1, 2, 0, 7000);
    StepPitlaneField(doc, 2, -1000);
    StepPitlaneField(doc, 5, -360);
    expected.Pitlane.SetFloat(2, -1.0f);
    expected.Pitlane.SetFloat(5, RadiansOf(-360));
    EXPECT_TRUE(doc.SameContent(expected));
    EXPECT_TRUE(doc.DataSaved);
    // The stepper ranges: heights reach below the ground, where typing cannot go.
    const std::pair<const FieldInfo*, StepperSpec> ranges[] = {
        {&TvFieldInfo(SetId::TV1, 0), {true, 0, 50000000, 1000}},
        {&TvFieldInfo(SetId::TV2, 2), {true, -200000, 200000, 1000}},
        {&TvFieldInfo(SetId::TV1, 6), {true, 0, 10000, 1}},
        {&TvFieldInfo(SetId::TV1, 11), {true, 0, 360, 1}},
        {&PitlaneFieldInfo(2), {true, -200000, 200000, 1000}},
        {&PitlaneFieldInfo(4), {true, -360, 360, 1}}};
    for (const auto& [info, spec] : ranges) {
        EXPECT_EQ(info->stepper.minimum, spec.minimum) << info->label;
        EXPECT_EQ(info->stepper.maximum, spec.maximum) << info->label;
        EXPECT_EQ(info->stepper.increment, spec.increment) << info->label;
    }
}

TEST(CameraMode, WritesTheIntegerFlagClearsDataSavedAndSwitchesTheRows) {
    CamDocument doc = DocumentWith(SetId::TV2, {100.0f, 200.0f});
    CamDocument expected = doc;
    SetCameraMode(doc, SetId::TV2, 2, true);
    expected.TV2.Camera(2).SetRaw(TvField::Mode, 1);  // not the pattern of 1.0f
    EXPECT_TRUE(doc.SameContent(expected));
    EXPECT_FALSE(doc.DataSaved);
    doc.DataSaved = true;
    SetCameraMode(doc, SetId::TV2, 2, false);
    EXPECT_EQ(doc.TV2.Camera(2).Raw(TvField::Mode), 0u);
    EXPECT_FALSE(doc.DataSaved);
    for (bool fixed : {false, true}) {
        for (int f = 0; f < kTvFieldCount; ++f)
            EXPECT_EQ(TvRowEnabled(f, fixed),
                      f <= 4 || (f <= 7 && !fixed) || (f <= 11 && f >= 8 && fixed))
                << f;
    }
}

TEST(FieldTable, LabelsTooltipsAndWhatTakesEntry) {
    for (int f = 0; f < kTvFieldCount; ++f) {
        const FieldInfo& info = TvFieldInfo(SetId::TV1, f);
        const bool value = f != TvField::Mode && f < 12;
        EXPECT_EQ(info.typedEntry, value) << f;
        EXPECT_EQ(info.stepper.usable, value) << f;
        EXPECT_EQ(info.editable == Editable::Never, f >= 12) << f;
        EXPECT_STREQ(info.label, TvFieldInfo(SetId::TV2, f).label);
        EXPECT_STREQ(info.tooltip, TvFieldInfo(SetId::TV2, f).tooltip);
    }
    for (int f = 0; f < kPitlaneFieldCount; ++f)
        EXPECT_EQ(PitlaneFieldInfo(f).stepper.usable, f <= 6) << f;
    EXPECT_STREQ(TvFieldInfo(SetId::TV1, 6).stepper.tooltip,
                 "Changes the value in steps of 1/1000 per click");
    EXPECT_STREQ(TvFieldInfo(SetId::TV2, 6).stepper.tooltip,
                 "Changes the value in steps of 0.001 per click");
    EXPECT_STREQ(PitlaneFieldInfo(2).tooltip, "Enter a number between -200 and 200");
    EXPECT_STREQ(TvFieldInfo(SetId::TV1, 13).label, "Unknown, mail me if you know more! -->");
    EXPECT_STREQ(PitlaneFieldInfo(8).tooltip, "");
}

TEST(CameraDefaults, ShownTextsAndThePlacementChoice) {
    ScopedLocale locale("en_US");
    CameraDefaults defaults = FactoryCameraDefaults();
    EXPECT_EQ(defaults[11], 0x3FC90FDBu) << "the factory angle is what a typed 90 stores";
    defaults[1] = FloatBits(1.23456f);
    defaults[2] = FloatBits(0.0625f);
    defaults[9] = FloatBits(RadiansOf(-0.3));
    const std::pair<std::string, const char*> texts[] = {
        {DefaultValueLoadText(defaults, 1), "1.235"},
        {DefaultValueLoadText(defaults, 2), "0.062"},
        {DefaultValueLoadText(defaults, 5), "0.1"},
        {DefaultValueLoadText(defaults, 9), "0"},  // no "-0"
        {DefaultValueRestoreText(defaults, 1), "1.23456"}};
    for (const auto& [text, expected] : texts) EXPECT_EQ(text, expected);
    defaults[0] = FloatBits(37.5f);
    EXPECT_EQ(ChooseDistancePlacement(defaults), "37.5");
    EXPECT_EQ(defaults[0], FloatBits(37.5f));
    defaults[0] = FloatBits(-1.0000001f);
    EXPECT_FALSE(IsMiddlePlacement(defaults));
}

}  // namespace
}  // namespace vx
