// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Typed entry, steppers and the camera-set operations of the editor.
#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "document/cam_document.h"
#include "editing/camera_defaults_entry.h"
#include "editing/camera_set_ops.h"
#include "editing/field_entry.h"
#include "editing/field_table.h"
#include "editing/field_value.h"
#include "editing/locale_number.h"
#include "settings/settings.h"

namespace vx {
namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = HUGE_VALF;

struct ScopedLocale {
    explicit ScopedLocale(const char* name) { QLocale::setDefault(QLocale(name)); }
    ~ScopedLocale() { QLocale::setDefault(previous); }
    QLocale previous;
};

float RadiansOf(double degrees) { return static_cast<float>(degrees * kPi / 180.0); }

// New-camera values with patterns that no camera of the tests holds by chance.
CameraDefaults TestDefaults(float placement) {
    CameraDefaults d{};
    d[0] = FloatBits(placement);
    for (int k = 1; k <= 11; ++k) d[static_cast<std::size_t>(k)] = FloatBits(0.5f + k);
    d[TvField::Mode] = 1;
    return d;
}

// Saved, cameras at the given distances; other fields name slot and field, so moves show.
CamDocument DocumentWith(SetId set, const std::vector<float>& distances) {
    CamDocument doc;
    NewDocument(doc);
    CameraSet& cameras = doc.Set(set);
    for (int number = 1; number <= kSlotCount; ++number) {
        for (int f = 1; f < kTvFieldCount; ++f)
            cameras.Camera(number).SetRaw(
                f, 0xC0000000u | static_cast<std::uint32_t>(number << 8 | f));
    }
    for (std::size_t i = 0; i < distances.size(); ++i) cameras.Cameras[i].SetFloat(0, distances[i]);
    cameras.SetCount(static_cast<int>(distances.size()));
    UpdateHeaderSize(doc);
    doc.DataSaved = true;
    return doc;
}

TEST(LocaleNumber, RoundsHalfToEvenAndReadsAndShowsNumbersInTheLocale) {
    // Against the floating-point unit's own ties-to-even, on halves and a hair beside them.
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
    ScopedLocale locale("en_US");
    const std::pair<const char*, double> numbers[] = {
        {"12.5", 12.5}, {"-3", -3.0}, {"+4", 4.0}, {"1.5E-2", 0.015}, {" 7 ", 7.0}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(ParseLocaleNumber(text), value) << text;
    for (const char* text : {"   ", "-", "1,000", "inf", "1e400", "0x10"})
        EXPECT_EQ(ParseLocaleNumber(text), std::nullopt) << text;
    // No grouping or trailing zeros; halves at the last digit go to the even neighbour.
    const std::pair<double, const char*> cases[] = {
        {12345.68f, "12345.68"}, {1234567.0, "1234567"},  {-0.0, "0"},        {std::nan(""), "NaN"},
        {10000.125, "10000.12"}, {10000.375, "10000.38"}, {kInf, "Infinity"}, {-kInf, "-Infinity"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatLocaleNumber(value, 7), text);
    const std::string huge = FormatLocaleNumber(1.0e20, 7);
    EXPECT_NE(huge.find_first_of("eE"), std::string::npos) << huge;
    EXPECT_EQ(ParseLocaleNumber(huge), 1.0e20);
    EXPECT_EQ(ParseLocaleNumber(FormatLocaleNumber(12345678.0, 7)), 12345680.0);
    // Per field: seven digits, thousandths, whole or thousandth degrees. 0.0055f is below
    // 0.0055, yet times 1000 as a single 5.5, which goes to even on a pitlane field.
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
    ScopedLocale german("de_DE");
    EXPECT_EQ(FormatLocaleNumber(10000.125, 7), "10000,12");
}

// Typed-entry ranges in shown units (degrees from TV field 8, pitlane 3); {1, 0}: not typed.
const double kTv[14][2] = {{0, 50000},  {-200, 200}, {0, 200}, {-10000, 10000}, {1, 0},
                           {0, 10},     {0, 10},     {0, 10},  {-360, 360},     {-360, 360},
                           {-360, 360}, {0, 360},    {1, 0},   {1, 0}};
const double kPitlane[13][2] = {
    {-50000, 50000}, {-50000, 50000}, {0, 200}, {-360, 360}, {-360, 360}, {-360, 360}, {0, 360},
    {1, 0},          {1, 0},          {1, 0},   {1, 0},      {1, 0},      {1, 0}};
const double kDefaults[12][2] = {{0, 1000},   {-200, 200}, {0, 200},    {-10000, 10000},
                                 {1, 0},      {0.001, 10}, {0.001, 10}, {0.001, 10},
                                 {-180, 180}, {-180, 180}, {-180, 180}, {0, 180}};

// In range (judged on the single it becomes): stored, angles in radians, DataSaved cleared;
// a switch-over distance moves the change-over the other way, clamped. Else nothing changes.
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

TEST(FieldTable, StepperRangesPositionsStepsAndTheNewCameraValues) {
    // Field, shown value, position: halves to even, clamped, none without a stepper.
    const double kMin = std::numeric_limits<std::int32_t>::min();
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
    // Steps leave DataSaved, the mode, field 13 and absent cameras; heights go below ground.
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
    ScopedLocale locale("en_US");
    CameraDefaults defaults = FactoryCameraDefaults();
    EXPECT_EQ(defaults[11], 0x3FC90FDBu) << "the factory angle is what a typed 90 stores";
    // Loaded to thousandths, restored in full, no "-0"; angles in whole degrees.
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

using SetOp = SetOperation (*)(CamDocument&, SetId, int, const CameraDefaults&);

TEST(InsertCamera, NewDistancesFollowThePlacementRuleWithinTheTrack) {
    // Middle: halfway (thousandths, halves to even), from the start line, or 200 behind the
    // last. A distance rule is clamped to the track; a NaN distance is the start line.
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

// Against a model of the 256 slots: placement, fields 12 and 13 inherited from the slot taken,
// refusals, shown camera, size field, DataSaved; a new camera always lands on the track.
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
    EXPECT_EQ(MaximumReachedText(SetId::TV2),
              "Sorry, but maximum of possible TV2-cameras (256) has already been reached. Ready.");
    EXPECT_EQ(HighestDistanceText(),
              "Sorry, but the current camera has already the highest possible #1-value. Ready.");
}

TEST(SelectAndAssign, TypedNumbersSelectOrAreRefusedAndAssignCopiesThePatternToTheSet) {
    ScopedLocale locale("en_US");
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
