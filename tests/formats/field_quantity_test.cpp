// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/field_quantity.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <charconv>
#include <cmath>
#include <random>

#include "editing/field_entry.h"

namespace vx {
namespace {

// Spelled out rather than taken from the code under test, so that a wrong conversion
// there cannot agree with itself.
std::uint32_t Degrees(double degrees) {
    return FloatBits(static_cast<float>(degrees * 3.14159265358979 / 180.0));
}
const FieldInfo& Tv(int field) { return TvFieldInfo(SetId::TV1, field); }
const FieldInfo& Pit(int field) { return PitlaneFieldInfo(field); }

// Field k of all 27: the TV fields, then the pitlane's.
const int kAllFields = kTvFieldCount + kPitlaneFieldCount;
const FieldInfo& Field(int k) { return k < kTvFieldCount ? Tv(k) : Pit(k - kTvFieldCount); }

TEST(FieldQuantity, EveryFinitePatternReadsBackExactlyFromItsText) {
    std::mt19937 random(7);
    // The extremes first: largest float, smallest subnormal, negative zero.
    std::vector<std::uint32_t> words = {0x7F7FFFFF, 0xFF7FFFFF, 0x00000001,
                                        0x80000001, 0x80000000, 0x00800000};
    while (words.size() < 20000) words.push_back(static_cast<std::uint32_t>(random()));
    for (std::uint32_t raw : words)
        for (int k = 0; k < kAllFields && std::isfinite(BitsFloat(raw)); ++k) {
            const bool pitlane = k >= kTvFieldCount;
            const std::string text = FormatQuantity(Field(k), pitlane, raw);
            ASSERT_EQ(QuantityPattern(Field(k), pitlane, text), raw) << k << " " << text;
        }
}

TEST(FieldQuantity, ShowsMetresFactorsDegreesAndTheFlagReadablyWithAFullStop) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // A flag shows its integer, the pitlane's unknown fields plain numbers, the TV ones degrees;
    // not the editor's rounded display ("29"): 0.5 rad is 28.6478897... degrees.
    EXPECT_EQ(FormatQuantity(Tv(0), false, FloatBits(12.5f)) + " " +
                  FormatQuantity(Tv(4), false, 0x3F800000) + " " +
                  FormatQuantity(Tv(12), false, Degrees(-30)) + " " +
                  FormatQuantity(Pit(8), true, FloatBits(-0.125f)),
              "12.5 1065353216 -30 -0.125");
    EXPECT_TRUE(FormatQuantity(Tv(8), false, FloatBits(0.5f)).starts_with("28.6478"));
    QLocale::setDefault(before);
}

// A cell edited in a spreadsheet and the same number typed into the editor, there in a
// comma locale, are taken or refused alike and store the same pattern.
TEST(FieldQuantity, EditedCellsAreJudgedExactlyAsTypedValues) {
    const QLocale before;
    QLocale typing(QLocale::German, QLocale::Germany);
    typing.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(typing);
    std::mt19937 random(12);
    std::uniform_real_distribution<double> spread(-1.0, 1.0);
    for (int field = 0; field < kAllFields; ++field) {
        const bool pitlane = field >= kTvFieldCount;
        const int k = pitlane ? field - kTvFieldCount : field;
        const FieldInfo& info = Field(field);
        if (!info.typedEntry) continue;
        std::vector<double> numbers = {3.5e38, -3.4028235e38, 1e-45};
        for (double bound : {info.minimum, info.maximum})
            for (double step : {0.0, 1e-4, -1e-4, 1e-6, -1e-6, 1e-9, -1e-9})
                numbers.push_back(bound + step);
        for (int i = 0; i < 100; ++i) numbers.push_back(spread(random) * 1.1 * info.maximum);
        for (double number : numbers) {
            char cell[64];
            const auto end = std::to_chars(cell, cell + sizeof cell, number).ptr;
            const QuantityEntry edited =
                EnterQuantity(info, pitlane, std::string_view(cell, end - cell));
            CamDocument doc;
            NewDocument(doc);
            const std::string typed = typing.toString(number, 'g', 17).toStdString();
            const EntryResult result = pitlane ? EnterPitlaneField(doc, k, typed)
                                               : EnterTvField(doc, SetId::TV1, 1, k, typed, false);
            ASSERT_EQ(edited.raw.has_value(), result == EntryResult::Accepted)
                << "field " << field << ": " << typed;
            ASSERT_NE(edited.raw.has_value(), !edited.reason.empty()) << typed;
            const std::uint32_t stored = pitlane ? doc.Pitlane.Raw(k) : doc.TV1.Camera(1).Raw(k);
            EXPECT_EQ(edited.raw.value_or(stored), stored) << typed;
        }
    }
    QLocale::setDefault(before);
}

TEST(FieldQuantity, EntriesAreStoredOrRefusedWithAReason) {
    const std::tuple<const FieldInfo&, const char*, std::uint32_t, const char*> cases[] = {
        {Tv(4), "+1", 1, ""},
        {Tv(0), " +1.5e2 ", FloatBits(150.0f), ""},
        {Tv(4), "1.0", 0, "\"1.0\" is not 0 or 1"},
        {Tv(13), "5", 0, "a field that is not editable was changed"},
        {Tv(0), "+-5", 0, "\"+-5\" is not a number"},
        {Tv(0), "-3", 0, "-3 is outside the entry range 0 to 50000"}};
    for (const auto& [info, text, raw, reason] : cases) {
        const QuantityEntry entry = EnterQuantity(info, false, text);
        EXPECT_EQ(entry.raw.value_or(0), raw) << text;
        EXPECT_EQ(entry.reason, reason);
    }
}

TEST(FieldQuantity, HexPatternsAreEightDigitsAndReadLeniently) {
    EXPECT_EQ(HexPattern(1), "00000001");
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"42f00000", 0x42F00000u},   {"0", 0u},
        {"FFFFFFFF", 0xFFFFFFFFu},   {"100000000", std::nullopt},
        {"000000001", std::nullopt}, {"12G4", std::nullopt},
        {"-1", std::nullopt},        {"", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseHexPattern(text), value) << text;
}

}  // namespace
}  // namespace vx
