// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/locale_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editing_test_support.h"

namespace vx {
namespace {

using testing::ScopedLocale;

const double kInf = std::numeric_limits<double>::infinity();

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbourAndHugeOrNonFiniteValuesStay) {
    // Places 0 stands for the whole-number overload.
    const struct {
        double value;
        int places;
        double expected;
    } cases[] = {{0.5, 0, 0.0},      {1.5, 0, 2.0},       {2.5, 0, 2.0},        {-2.5, 0, -2.0},
                 {-3.5, 0, -4.0},    {2.4999999, 0, 2.0}, {2.5000001, 0, 3.0},  {-0.7, 0, -1.0},
                 {0.0625, 3, 0.062}, {0.375, 2, 0.38},    {12.3456, 3, 12.346}, {3.0e38, 3, 3.0e38},
                 {-kInf, 0, -kInf}};
    for (const auto& c : cases) {
        const double rounded =
            c.places == 0 ? RoundHalfEven(c.value) : RoundHalfEven(c.value, c.places);
        EXPECT_EQ(rounded, c.expected) << c.value;
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""), 3)));
}

TEST(LocaleNumber, ReadsAndShowsNumbersInTheLocale) {
    ScopedLocale locale("en_US");
    const std::pair<const char*, double> numbers[] = {
        {"12.5", 12.5}, {"-3", -3.0}, {"+4", 4.0}, {"1.5E-2", 0.015}, {" 7 ", 7.0}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(ParseLocaleNumber(text), value) << text;
    for (const char* text :
         {"", "   ", "abc", "12a", "-", "12,5", "1,000", "nan", "inf", "1e400", "0x10", "1 000"})
        EXPECT_EQ(ParseLocaleNumber(text), std::nullopt) << text;
    // General format without grouping or trailing zeros; exact halves at the last digit
    // go to the even neighbour.
    const struct {
        double value;
        int digits;
        const char* text;
    } cases[] = {{100.0, 7, "100"},
                 {-0.125, 7, "-0.125"},
                 {12345.68f, 7, "12345.68"},
                 {1234567.0, 7, "1234567"},
                 {-0.0, 7, "0"},
                 {359.999, 15, "359.999"},
                 {std::nan(""), 7, "NaN"},
                 {10000.125, 7, "10000.12"},
                 {10000.375, 7, "10000.38"},
                 {-1234.5625, 7, "-1234.562"},
                 {kInf, 7, "Infinity"},
                 {-kInf, 7, "-Infinity"}};
    for (const auto& c : cases) EXPECT_EQ(FormatLocaleNumber(c.value, c.digits), c.text);
    // Huge values stay readable and read back.
    const std::string huge = FormatLocaleNumber(1.0e20, 7);
    EXPECT_NE(huge.find_first_of("eE"), std::string::npos) << huge;
    EXPECT_EQ(ParseLocaleNumber(huge), 1.0e20);
    EXPECT_EQ(ParseLocaleNumber(FormatLocaleNumber(12345678.0, 7)), 12345680.0);

    // A full stop is the German group separator: reading it as one would turn 12.5 into 125.
    ScopedLocale german("de_DE");
    EXPECT_EQ(ParseLocaleNumber("-0,25"), -0.25);
    EXPECT_EQ(ParseLocaleNumber("12.5"), std::nullopt);
    EXPECT_EQ(ParseLocaleNumber("1.000"), std::nullopt);
    EXPECT_EQ(FormatLocaleNumber(10000.125, 7), "10000,12");
}

}  // namespace
}  // namespace vx
