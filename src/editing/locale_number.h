// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vx {

// Text to number in the current default locale (its decimal separator, optional
// sign and exponent); nullopt for anything else, empty text included.
std::optional<double> ParseLocaleNumber(const std::string& text);

// A finite number in the C locale, as files and the command line write them: the whole
// text but for spaces and tabs around it; a leading '+' is allowed. nullopt otherwise.
std::optional<double> ParseNumber(std::string_view text);

// The general number format of the locale: its decimal separator, no grouping, at
// most `significant` significant digits, no trailing zeros; huge values in an
// exponent form.
std::string FormatLocaleNumber(double value, int significant);

// Round to nearest, exact halves to the even neighbour.
double RoundHalfEven(double value);
// Round to `decimals` decimal places, exact halves to even.
double RoundHalfEven(double value, int decimals);

}  // namespace vx
