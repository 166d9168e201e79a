// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editing/field_entry.h"
#include "editing_test_support.h"

namespace vx {
namespace {

using testing::DocumentWith;
using testing::RadiansOf;
using testing::ScopedLocale;

class TvEntry : public ::testing::Test {
  protected:
    ScopedLocale locale_{"en_US"};
    CamDocument doc_ = DocumentWith(SetId::TV1, {100.0f, 300.0f});

    TvCamera& Camera() { return doc_.TV1.Camera(2); }
    EntryResult Enter(int field, const std::string& text, bool switchOver = false) {
        return EnterTvField(doc_, SetId::TV1, 2, field, text, switchOver);
    }
    // A refusal keeps the whole document, DataSaved included.
    void ExpectRefused(int field, const std::string& text) {
        const CamDocument before = doc_;
        EXPECT_EQ(Enter(field, text), EntryResult::Rejected) << field << " '" << text << "'";
        EXPECT_TRUE(doc_.SameContent(before)) << field << " '" << text << "'";
        EXPECT_EQ(doc_.DataSaved, before.DataSaved);
    }
};

TEST_F(TvEntry, EachTypedFieldTakesItsRangeAndNothingBeyond) {
    // The height starts at the ground although its tooltip names -200; the yaw takes the
    // full turn both ways, 370 is refused rather than reduced to 10; the opening angle
    // has no negative half.
    const std::pair<int, const char*> accepted[] = {{0, "50000"}, {0, "0"},      {1, "-200"},
                                                    {2, "0"},     {3, "-10000"}, {5, "10"},
                                                    {8, "360"},   {8, "-360"},   {11, "0"}};
    const std::pair<int, const char*> refused[] = {{0, "50000.01"}, {0, "-0.5"},   {2, "-1"},
                                                   {3, "10000.5"},  {6, "10.001"}, {8, "360.0001"},
                                                   {8, "370"},      {11, "-1"}};
    for (const auto& [field, text] : accepted) {
        doc_.DataSaved = true;
        EXPECT_EQ(Enter(field, text), EntryResult::Accepted) << field << " " << text;
        const double value = std::stod(text);
        const float stored = field >= 8 ? RadiansOf(value) : static_cast<float>(value);
        EXPECT_EQ(Camera().Raw(field), FloatBits(stored)) << field << " " << text;
        EXPECT_FALSE(doc_.DataSaved);
    }
    doc_.DataSaved = true;
    for (const auto& [field, text] : refused) ExpectRefused(field, text);
}

TEST_F(TvEntry, TextThatIsNoNumberIsRefusedInEveryTypedField) {
    for (int field : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11}) {
        for (const char* text : {"", "abc", "1,5", "12m", "1e39", "nan"})
            ExpectRefused(field, text);
    }
}

TEST_F(TvEntry, FieldsWithoutTypedEntryAndMissingCamerasAreNeverWritten) {
    // The mode flag and the unknown fields have no entry box to type into.
    ExpectRefused(4, "1");
    ExpectRefused(12, "0");
    ExpectRefused(13, "0");
    const CamDocument before = doc_;
    EXPECT_EQ(EnterTvField(doc_, SetId::TV1, 3, 0, "10", false), EntryResult::Rejected);
    EXPECT_EQ(EnterTvField(doc_, SetId::TV1, 0, 0, "10", false), EntryResult::Rejected);
    EXPECT_TRUE(doc_.SameContent(before));
    EXPECT_TRUE(doc_.DataSaved);
}

TEST_F(TvEntry, ValuesShowAtTheirPrecisionAndReEnterAsShown) {
    const struct {
        int field;
        std::uint32_t bits;
        const char* shown;
    } cases[] = {{0, FloatBits(12345.678f), "12345.68"},  // seven digits
                 {1, FloatBits(12.3456f), "12.346"},
                 {2, FloatBits(0.0625f), "0.062"},  // a binary half of a thousandth goes to even
                 {6, FloatBits(0.0055f), "0.005"},  // the stored value itself lies below 0.0055
                 {5, FloatBits(1.0f), "1"},
                 {9, FloatBits(RadiansOf(-90.4)), "-90"},
                 {8, FloatBits(RadiansOf(45.6)), "46"},
                 {2, FloatBits(250.0f), "250"},  // loaded beyond the entry range
                 {1, 0x7FC00001u, "NaN"},
                 {12, 0x7F800000u, "Infinity"}};
    for (const auto& c : cases) {
        Camera().SetRaw(c.field, c.bits);
        EXPECT_EQ(FormatTvField(Camera(), c.field), c.shown) << c.field;
    }
    // What is shown is what re-entry stores: a typed angle becomes its whole degrees.
    EXPECT_EQ(Enter(8, "45.6"), EntryResult::Accepted);
    EXPECT_EQ(Camera().Raw(8), FloatBits(RadiansOf(45.6)));
    EXPECT_EQ(Enter(8, FormatTvField(Camera(), 8)), EntryResult::Accepted);
    EXPECT_EQ(Camera().Raw(8), FloatBits(RadiansOf(46)));
    Camera().SetFloat(0, 12345.678f);
    EXPECT_EQ(Enter(0, FormatTvField(Camera(), 0)), EntryResult::Accepted);
    EXPECT_EQ(Camera().Raw(0), FloatBits(12345.68f));
}

TEST_F(TvEntry, FixedSwitchOverMovesTheChangeOverPointTheOtherWay) {
    Camera().SetFloat(3, 20.0f);
    ASSERT_EQ(Camera().Float(0), 300.0f);
    EXPECT_EQ(Enter(0, "100"), EntryResult::Accepted);
    EXPECT_EQ(Enter(0, "150", true), EntryResult::Accepted);
    EXPECT_EQ(Camera().Float(3), -30.0f);

    Camera().SetFloat(0, 5000.0f);
    Camera().SetFloat(3, 6000.0f);
    EXPECT_EQ(Enter(0, "0", true), EntryResult::Accepted);
    EXPECT_EQ(Camera().Float(3), 10000.0f);  // 11000 clamped
    Camera().SetFloat(3, -6000.0f);
    EXPECT_EQ(Enter(0, "5000", true), EntryResult::Accepted);
    EXPECT_EQ(Camera().Float(3), -10000.0f);

    Camera().SetFloat(3, 20.0f);
    EXPECT_EQ(Enter(0, "100", false), EntryResult::Accepted);
    EXPECT_EQ(Camera().Float(3), 20.0f);
    // A refused distance moves nothing.
    doc_.DataSaved = true;
    ExpectRefused(0, "60000");
    EXPECT_EQ(Camera().Float(3), 20.0f);
    // Other fields never shift field 3.
    EXPECT_EQ(Enter(1, "5", true), EntryResult::Accepted);
    EXPECT_EQ(Camera().Float(3), 20.0f);
}

TEST_F(TvEntry, SwitchOverLeavesFieldThreeAloneForNonFiniteLoadedValues) {
    Camera().SetFloat(0, std::numeric_limits<float>::quiet_NaN());
    Camera().SetFloat(3, 20.0f);
    EXPECT_EQ(Enter(0, "100", true), EntryResult::Accepted);
    EXPECT_EQ(Camera().Float(0), 100.0f);
    EXPECT_EQ(Camera().Float(3), 20.0f);
    const std::uint32_t nanBits = 0x7FC01234u;
    Camera().SetRaw(3, nanBits);
    EXPECT_EQ(Enter(0, "150", true), EntryResult::Accepted);
    EXPECT_EQ(Camera().Raw(3), nanBits);
}

TEST_F(TvEntry, OnlyTheEnteredFieldAndTheChangeOverPointChange) {
    // Every accepted entry clears DataSaved, even one that changes nothing.
    const std::uint32_t distance = Camera().Raw(0);
    EXPECT_EQ(Enter(0, FormatTvField(Camera(), 0)), EntryResult::Accepted);
    EXPECT_EQ(Camera().Raw(0), distance);
    EXPECT_FALSE(doc_.DataSaved);

    CamDocument expected = doc_;
    EXPECT_EQ(Enter(0, "120", true), EntryResult::Accepted);
    expected.TV1.Camera(2).SetRaw(0, Camera().Raw(0));
    expected.TV1.Camera(2).SetRaw(3, Camera().Raw(3));
    EXPECT_EQ(doc_.TV1, expected.TV1);
    EXPECT_TRUE(doc_.SameContent(expected));
}

TEST_F(TvEntry, LoadedValuesOutsideTheRangeAreKeptOnReEntry) {
    Camera().SetFloat(2, 250.0f);
    ExpectRefused(2, FormatTvField(Camera(), 2));
    Camera().SetFloat(0, 1.0e20f);
    const std::string huge = FormatTvField(Camera(), 0);
    EXPECT_NE(huge.find_first_of("eE"), std::string::npos) << huge;
    ExpectRefused(0, huge);
    Camera().SetRaw(1, 0x7FC00001u);
    ExpectRefused(1, FormatTvField(Camera(), 1));
}

TEST(TvEntryLocale, CommaLocaleEntersAndShowsWithAComma) {
    ScopedLocale locale("de_DE");
    CamDocument doc = DocumentWith(SetId::TV2, {100.0f});
    EXPECT_EQ(EnterTvField(doc, SetId::TV2, 1, 2, "12,5", false), EntryResult::Accepted);
    EXPECT_EQ(doc.TV2.Camera(1).Float(2), 12.5f);
    EXPECT_EQ(FormatTvField(doc.TV2.Camera(1), 2), "12,5");
    doc.DataSaved = true;
    EXPECT_EQ(EnterTvField(doc, SetId::TV2, 1, 2, "12.5", false), EntryResult::Rejected);
    EXPECT_EQ(doc.TV2.Camera(1).Float(2), 12.5f);
    EXPECT_TRUE(doc.DataSaved);
}

}  // namespace
}  // namespace vx
