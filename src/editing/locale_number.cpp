// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/locale_number.h"

#include <QLocale>
#include <QString>
#include <array>
#include <charconv>
#include <cmath>

namespace vx {

namespace {

QLocale NumberLocale() {
    QLocale locale;
    // Grouping is refused on input: in a comma locale "12.5" would otherwise be read as
    // 125, silently storing a value ten times too large.
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

}  // namespace

std::optional<double> ParseLocaleNumber(const std::string& text) {
    const QString trimmed = QString::fromStdString(text).trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    bool ok = false;
    const double value = NumberLocale().toDouble(trimmed, &ok);
    // "nan" and "inf" spellings are no numbers a field could hold.
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> ParseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::string FormatLocaleNumber(double value, int significant) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0.0) value = 0.0;  // a negative zero shows as "0", not "-0"
    // Qt rounds an exact half at the last shown digit away from zero; to_chars rounds
    // the exact binary value with halves to even. Rounded here first, the value has
    // no tie left for Qt to break.
    std::array<char, 64> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                       std::chars_format::scientific, significant - 1);
    std::from_chars(digits.data(), written.ptr, value);
    // 'g' drops trailing zeros and the separator of whole numbers, and turns to an
    // exponent form only where the integer part needs more digits than allowed.
    return NumberLocale().toString(value, 'g', significant).toStdString();
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

double RoundHalfEven(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Beyond 2^53 a double has no fraction left to round.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9007199254740992.0) return value;
    return RoundHalfEven(scaled) / scale;
}

}  // namespace vx
