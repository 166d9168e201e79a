// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/field_quantity.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <charconv>
#include <cmath>
#include <random>

#include "editing/field_entry.h"
#include "formats/angle_patterns.h"

namespace vx {
namespace {

using testing::Degrees;

const FieldInfo& Tv(int field) { return TvFieldInfo(SetId::TV1, field); }

// What an edited cell stores, or a sentinel when it is refused.
constexpr std::uint64_t kRefused = 1ull << 40;
std::uint64_t TvEntry(int field, const char* text) {
    const QuantityEntry entry = EnterQuantity(Tv(field), false, text);
    if (!entry.raw) {
        EXPECT_FALSE(entry.reason.empty()) << text;
        return kRefused;
    }
    return *entry.raw;
}
std::uint64_t PitEntry(int field, const char* text) {
    const QuantityEntry entry = EnterQuantity(PitlaneFieldInfo(field), true, text);
    return entry.raw ? *entry.raw : kRefused;
}

TEST(FieldQuantity, EveryFinitePatternReadsBackExactlyFromItsText) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> word;
    int checked = 0;
    // The extremes first: largest float, smallest subnormal, negative zero.
    const std::vector<std::uint32_t> extremes = {0x7F7FFFFF, 0xFF7FFFFF, 0x00000001,
                                                 0x80000001, 0x80000000, 0x00800000};
    for (int round = 0; round < 20000; ++round) {
        const std::uint32_t raw = round < static_cast<int>(extremes.size())
                                      ? extremes[static_cast<std::size_t>(round)]
                                      : word(random);
        if (!std::isfinite(BitsFloat(raw))) continue;
        ++checked;
        for (int k = 0; k < kTvFieldCount; ++k) {
            const std::string text = FormatQuantity(Tv(k), false, raw);
            ASSERT_EQ(QuantityPattern(Tv(k), false, text), raw) << "TV field " << k << " " << text;
        }
        for (int k = 0; k < kPitlaneFieldCount; ++k) {
            const std::string text = FormatQuantity(PitlaneFieldInfo(k), true, raw);
            ASSERT_EQ(QuantityPattern(PitlaneFieldInfo(k), true, text), raw)
                << "pitlane field " << k << " " << text;
        }
    }
    EXPECT_GT(checked, 15000);
}

TEST(FieldQuantity, ShowsMetresFactorsDegreesAndTheFlagReadably) {
    EXPECT_EQ(FormatQuantity(Tv(0), false, FloatBits(120.0f)), "120");
    EXPECT_EQ(FormatQuantity(Tv(5), false, FloatBits(0.1f)), "0.1");
    EXPECT_EQ(FormatQuantity(Tv(1), false, FloatBits(-12.25f)), "-12.25");
    EXPECT_EQ(FormatQuantity(Tv(8), false, Degrees(46)), "46");
    EXPECT_EQ(FormatQuantity(Tv(9), false, Degrees(-90)), "-90");
    EXPECT_EQ(FormatQuantity(Tv(8), false, Degrees(45.6)), "45.6");
    // Not the editor's rounded display ("29"): 0.5 rad is 28.6478897... degrees.
    EXPECT_TRUE(FormatQuantity(Tv(8), false, FloatBits(0.5f)).starts_with("28.6478"));
    EXPECT_EQ(FormatQuantity(Tv(4), false, 1), "1");
    EXPECT_EQ(FormatQuantity(Tv(4), false, 0x3F800000), "1065353216");
    // The pitlane's unknown fields are plain numbers, the TV ones degrees.
    EXPECT_EQ(FormatQuantity(PitlaneFieldInfo(8), true, FloatBits(-0.125f)), "-0.125");
    EXPECT_EQ(FormatQuantity(Tv(12), false, Degrees(30)), "30");
    EXPECT_EQ(FormatQuantity(PitlaneFieldInfo(3), true, Degrees(45.67)), "45.67");
}

TEST(FieldQuantity, NumbersUseAFullStopWhateverTheLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatQuantity(Tv(0), false, FloatBits(12.5f)), "12.5");
    EXPECT_EQ(TvEntry(0, "12.5"), FloatBits(12.5f));
    EXPECT_EQ(TvEntry(0, "12,5"), kRefused);
    QLocale::setDefault(before);
}

TEST(FieldQuantity, EditedValuesFollowTheEditorsEntryRanges) {
    EXPECT_EQ(TvEntry(0, "50000"), FloatBits(50000.0f));
    EXPECT_EQ(TvEntry(2, "0"), FloatBits(0.0f));
    EXPECT_EQ(TvEntry(1, "-200"), FloatBits(-200.0f));
    EXPECT_EQ(TvEntry(5, "10"), FloatBits(10.0f));
    EXPECT_EQ(TvEntry(8, "360"), Degrees(360));
    EXPECT_EQ(TvEntry(8, "-360"), Degrees(-360));
    EXPECT_EQ(TvEntry(11, "45.6"), Degrees(45.6));
    EXPECT_EQ(TvEntry(4, "0"), 0u);
    EXPECT_EQ(TvEntry(4, "1"), 1u);
    EXPECT_EQ(TvEntry(0, " +1.5e2 "), FloatBits(150.0f));
    // Height refuses -1 although its tooltip names -200; the unknown fields take no entry.
    const std::pair<int, const char*> refused[] = {
        {0, "50000.01"}, {0, "-0.5"}, {2, "-1"},  {3, "10000.5"}, {7, "10.001"}, {8, "360.0001"},
        {8, "400"},      {11, "-1"},  {4, "2"},   {4, "1.0"},     {12, "0"},     {13, "5"},
        {0, "abc"},      {0, ""},     {0, "nan"}, {0, "1e400"},   {0, "12abc"},  {0, "+-5"}};
    for (const auto& [field, text] : refused) EXPECT_EQ(TvEntry(field, text), kRefused) << text;

    EXPECT_EQ(PitEntry(0, "-50000"), FloatBits(-50000.0f));
    EXPECT_EQ(PitEntry(6, "360"), Degrees(360));
    for (const auto& [field, text] :
         {std::pair{0, "50000.5"}, {2, "-1"}, {6, "-0.5"}, {8, "-0.125"}})
        EXPECT_EQ(PitEntry(field, text), kRefused) << text;
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
    for (int field = 0; field < kTvFieldCount; ++field) {
        const FieldInfo& info = Tv(field);
        if (!info.typedEntry) continue;
        std::vector<double> numbers = {3.5e38, -3.4028235e38, 1e-45};
        for (double bound : {info.minimum, info.maximum}) {
            for (double step : {0.0, 1e-4, 1e-6, 1e-9}) {
                numbers.push_back(bound + step);
                numbers.push_back(bound - step);
            }
        }
        for (int i = 0; i < 200; ++i) numbers.push_back(spread(random) * 1.1 * info.maximum);
        for (double number : numbers) {
            char cell[64];
            const auto end = std::to_chars(cell, cell + sizeof cell, number).ptr;
            const QuantityEntry edited =
                EnterQuantity(info, false, std::string_view(cell, end - cell));
            CamDocument doc;
            NewDocument(doc);
            const std::string typed = typing.toString(number, 'g', 17).toStdString();
            const EntryResult result = EnterTvField(doc, SetId::TV1, 1, field, typed, false);
            ASSERT_EQ(edited.raw.has_value(), result == EntryResult::Accepted)
                << "field " << field << ": " << typed;
            if (edited.raw) {
                EXPECT_EQ(*edited.raw, doc.TV1.Camera(1).Raw(field)) << typed;
            }
        }
    }
    QLocale::setDefault(before);
}

TEST(FieldQuantity, StoredValuesOutsideTheRangesAreNamed) {
    EXPECT_EQ(StoredValueProblem(Tv(2), FloatBits(-1.0f)),
              "-1 is outside the entry range 0 to 200");
    EXPECT_EQ(StoredValueProblem(Tv(2), FloatBits(200.0f)), "");
    EXPECT_EQ(StoredValueProblem(Tv(8), Degrees(400)),
              "400 is outside the entry range -360 to 360");
    EXPECT_EQ(StoredValueProblem(Tv(8), Degrees(-360)), "");
    EXPECT_EQ(StoredValueProblem(Tv(4), 2), "holds 2, not 0 or 1");
    EXPECT_EQ(StoredValueProblem(Tv(4), 1), "");
    EXPECT_EQ(StoredValueProblem(Tv(12), FloatBits(1e30f)), "");
}

TEST(FieldQuantity, HexPatternsAreEightDigitsAndReadLeniently) {
    EXPECT_EQ(HexPattern(0x42F00000), "42F00000");
    EXPECT_EQ(HexPattern(1), "00000001");
    EXPECT_EQ(ParseHexPattern("42f00000"), 0x42F00000u);
    EXPECT_EQ(ParseHexPattern("0"), 0u);  // a spreadsheet's "00000000"
    EXPECT_EQ(ParseHexPattern("FFFFFFFF"), 0xFFFFFFFFu);
    for (const char* text : {"100000000", "12G4", "-1", ""})
        EXPECT_EQ(ParseHexPattern(text), std::nullopt) << text;
}

}  // namespace
}  // namespace vx
