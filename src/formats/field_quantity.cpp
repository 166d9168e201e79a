// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/field_quantity.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "editing/field_value.h"
#include "editing/locale_number.h"

namespace vx {

namespace {

enum class Style { Plain, Degrees, Integer };

Style StyleOf(const FieldInfo& info, bool pitlane) {
    switch (info.kind) {
        case FieldKind::Length:
        case FieldKind::Factor:
            return Style::Plain;
        case FieldKind::ModeFlag:
            return Style::Integer;
        case FieldKind::Angle:
            return Style::Degrees;
        case FieldKind::Unknown:
            break;
    }
    return pitlane ? Style::Plain : Style::Degrees;
}

// Plain notation reads best; the exponent form is kept for the odd huge or tiny
// pattern, where plain digits would run on.
constexpr std::size_t kPlainLength = 20;

std::string ShortestFloat(float value) {
    char buffer[128];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec == std::errc() && static_cast<std::size_t>(result.ptr - buffer) <= kPlainLength) {
        return std::string(buffer, result.ptr);
    }
    result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string DoubleText(double value, std::chars_format format, int precision) {
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc()) return {};
    return std::string(buffer, result.ptr);
}

std::string ShortestDouble(double value) {
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string RangeText(const FieldInfo& info) {
    return ShortestDouble(info.minimum) + " to " + ShortestDouble(info.maximum);
}

// Why a single-precision value lies outside the field's entry range, or empty.
std::string RangeProblem(const FieldInfo& info, bool pitlane, float value) {
    if (InRange(value, StoredRange(info))) return {};
    return FormatQuantity(info, pitlane, FloatBits(value)) + " is outside the entry range " +
           RangeText(info);
}

}  // namespace

std::string FormatQuantity(const FieldInfo& info, bool pitlane, std::uint32_t raw) {
    const float value = BitsFloat(raw);
    switch (StyleOf(info, pitlane)) {
        case Style::Integer:
            return std::to_string(static_cast<std::int32_t>(raw));
        case Style::Plain:
            return ShortestFloat(value);
        case Style::Degrees:
            break;
    }
    if (!std::isfinite(value)) return ShortestFloat(value);
    const double degrees = RadiansToDegrees(value);
    // The fewest digits that enter back to the very same pattern.
    const auto entersBack = [&](const std::string& text) {
        return QuantityPattern(info, pitlane, text) == raw;
    };
    for (int decimals = 0; decimals <= 12; ++decimals) {
        const std::string text = DoubleText(degrees, std::chars_format::fixed, decimals);
        if (text.size() > kPlainLength) break;
        if (entersBack(text)) return text;
    }
    for (int precision = 1; precision < 17; ++precision) {
        const std::string text = DoubleText(degrees, std::chars_format::general, precision);
        if (entersBack(text)) return text;
    }
    return DoubleText(degrees, std::chars_format::general, 17);
}

std::optional<std::uint32_t> QuantityPattern(const FieldInfo& info, bool pitlane,
                                             std::string_view text) {
    const Style style = StyleOf(info, pitlane);
    if (style == Style::Integer) {
        const std::optional<long long> number = ParseInteger(text);
        if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
            *number > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(*number));
    }
    const std::optional<double> number = ParseNumber(text);
    if (!number) return std::nullopt;
    // Huge radians are written as degrees beyond single precision; what must fit is the
    // stored value, rounded to nearest (so the printed largest float still reads back).
    const double stored = style == Style::Degrees ? DegreesToRadians(*number) : *number;
    if (!FitsSingle(stored)) return std::nullopt;
    return FloatBits(static_cast<float>(stored));
}

QuantityEntry EnterQuantity(const FieldInfo& info, bool pitlane, std::string_view text) {
    const std::string shown(Trim(text));
    if (info.kind == FieldKind::Unknown) {
        return {std::nullopt, "a field that is not editable was changed"};
    }
    const std::optional<std::uint32_t> raw = QuantityPattern(info, pitlane, text);
    if (info.kind == FieldKind::ModeFlag) {
        if (!raw || (*raw != 0 && *raw != 1)) {
            return {std::nullopt, "\"" + shown + "\" is not 0 or 1"};
        }
        return {raw, {}};
    }
    if (!raw) return {std::nullopt, "\"" + shown + "\" is not a number"};
    std::string problem = RangeProblem(info, pitlane, BitsFloat(*raw));
    if (!problem.empty()) return {std::nullopt, std::move(problem)};
    return {raw, {}};
}

std::string StoredValueProblem(const FieldInfo& info, std::uint32_t raw) {
    switch (info.kind) {
        case FieldKind::Unknown:
            return {};
        case FieldKind::ModeFlag:
            if (raw == 0 || raw == 1) return {};
            return "holds " + std::to_string(static_cast<std::int32_t>(raw)) + ", not 0 or 1";
        case FieldKind::Length:
        case FieldKind::Factor:
        case FieldKind::Angle:
            break;
    }
    return RangeProblem(info, false, BitsFloat(raw));
}

bool IsFloatField(const FieldInfo& info) { return info.kind != FieldKind::ModeFlag; }

std::string FieldName(const FieldInfo& info) {
    std::string_view label = info.label;
    constexpr std::string_view kArrow = " -->";
    if (label.ends_with(kArrow)) label.remove_suffix(kArrow.size());
    return std::string(label);
}

const char* FieldKindName(FieldKind kind) {
    switch (kind) {
        case FieldKind::Length:
            return "Length";
        case FieldKind::Factor:
            return "Factor";
        case FieldKind::Angle:
            return "Angle";
        case FieldKind::ModeFlag:
            return "ModeFlag";
        case FieldKind::Unknown:
            break;
    }
    return "Unknown";
}

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string HexPattern(std::uint32_t raw) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, raw >>= 4) text[static_cast<std::size_t>(i)] = kDigits[raw & 0xF];
    return text;
}

std::string HexByte(std::uint8_t byte) { return HexPattern(byte).substr(6); }

std::optional<std::uint32_t> ParseHexPattern(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<long long> ParseInteger(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace vx
