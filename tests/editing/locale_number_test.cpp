#include "editing/locale_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editing_test_support.h"

namespace vx {
namespace {

using testing::ScopedLocale;

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(2.4999999), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3.0);
    EXPECT_EQ(RoundHalfEven(-0.7), -1.0);
    // Halves in binary are exact at these places.
    EXPECT_EQ(RoundHalfEven(0.0625, 3), 0.062);
    EXPECT_EQ(RoundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(RoundHalfEven(0.375, 2), 0.38);
    EXPECT_EQ(RoundHalfEven(12.3456, 3), 12.346);
}

TEST(RoundHalfEven, LeavesHugeAndNonFiniteValuesAlone) {
    EXPECT_EQ(RoundHalfEven(3.0e38, 3), 3.0e38);
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""), 3)));
    EXPECT_EQ(RoundHalfEven(-std::numeric_limits<double>::infinity()),
              -std::numeric_limits<double>::infinity());
}

TEST(ParseLocaleNumber, ReadsSignDecimalsAndExponentOfAFullStopLocale) {
    ScopedLocale locale("en_US");
    EXPECT_EQ(ParseLocaleNumber("12.5"), 12.5);
    EXPECT_EQ(ParseLocaleNumber("-3"), -3.0);
    EXPECT_EQ(ParseLocaleNumber("+4"), 4.0);
    EXPECT_EQ(ParseLocaleNumber("1e3"), 1000.0);
    EXPECT_EQ(ParseLocaleNumber("1.5E-2"), 0.015);
    EXPECT_EQ(ParseLocaleNumber(" 7 "), 7.0);
}

TEST(ParseLocaleNumber, RefusesEverythingThatIsNoNumber) {
    ScopedLocale locale("en_US");
    for (const char* text :
         {"", "   ", "abc", "12a", "-", "12,5", "1,000", "nan", "inf", "1e400", "0x10", "1 000"}) {
        EXPECT_EQ(ParseLocaleNumber(text), std::nullopt) << text;
    }
}

TEST(ParseLocaleNumber, CommaLocaleTakesTheCommaAndRefusesTheFullStop) {
    ScopedLocale locale("de_DE");
    EXPECT_EQ(ParseLocaleNumber("12,5"), 12.5);
    EXPECT_EQ(ParseLocaleNumber("-0,25"), -0.25);
    // A full stop is the German group separator: reading it as one would turn 12.5
    // into 125.
    EXPECT_EQ(ParseLocaleNumber("12.5"), std::nullopt);
    EXPECT_EQ(ParseLocaleNumber("1.000"), std::nullopt);
}

TEST(FormatLocaleNumber, GeneralFormatWithoutGroupingOrTrailingZeros) {
    ScopedLocale locale("en_US");
    EXPECT_EQ(FormatLocaleNumber(100.0, 7), "100");
    EXPECT_EQ(FormatLocaleNumber(0.5, 7), "0.5");
    EXPECT_EQ(FormatLocaleNumber(-0.125, 7), "-0.125");
    EXPECT_EQ(FormatLocaleNumber(12345.68f, 7), "12345.68");
    EXPECT_EQ(FormatLocaleNumber(1234567.0, 7), "1234567");
    EXPECT_EQ(FormatLocaleNumber(-0.0, 7), "0");
    EXPECT_EQ(FormatLocaleNumber(28.648, 15), "28.648");
    EXPECT_EQ(FormatLocaleNumber(359.999, 15), "359.999");
}

TEST(FormatLocaleNumber, HugeAndNonFiniteValuesStayReadable) {
    ScopedLocale locale("en_US");
    const std::string huge = FormatLocaleNumber(1.0e20, 7);
    EXPECT_NE(huge.find_first_of("eE"), std::string::npos) << huge;
    EXPECT_EQ(ParseLocaleNumber(huge), 1.0e20);
    EXPECT_EQ(ParseLocaleNumber(FormatLocaleNumber(12345678.0, 7)), 12345680.0);
    EXPECT_EQ(FormatLocaleNumber(std::nan(""), 7), "NaN");
    EXPECT_EQ(FormatLocaleNumber(std::numeric_limits<double>::infinity(), 7), "Infinity");
    EXPECT_EQ(FormatLocaleNumber(-std::numeric_limits<double>::infinity(), 7), "-Infinity");
}

TEST(FormatLocaleNumber, CommaLocaleShowsTheComma) {
    ScopedLocale locale("de_DE");
    EXPECT_EQ(FormatLocaleNumber(12.5, 7), "12,5");
    EXPECT_EQ(FormatLocaleNumber(12345.68f, 7), "12345,68");
    EXPECT_EQ(ParseLocaleNumber(FormatLocaleNumber(-0.001, 7)), -0.001);
}

}  // namespace
}  // namespace vx
