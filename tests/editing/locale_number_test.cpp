// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/locale_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "editing_test_support.h"

namespace vx {
namespace {

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

}  // namespace
}  // namespace vx
