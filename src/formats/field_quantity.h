// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editing/field_table.h"

namespace vx {

// How camtool writes one field as a quantity. Unlike the editor's display this keeps
// every value exact: lengths and factors as the shortest text that reads back to the
// same float, angles as the shortest degree text whose radians in single precision
// are the stored pattern, the mode flag as its integer. The TV unknown fields are
// written in degrees and the pitlane ones plainly, as the editor shows them. Text is
// always in the C locale (full stop, no grouping).
std::string FormatQuantity(const FieldInfo& info, bool pitlane, std::uint32_t raw);

// The pattern a quantity text stands for, without any range check; nullopt when it
// is no number the field could hold.
std::optional<std::uint32_t> QuantityPattern(const FieldInfo& info, bool pitlane,
                                             std::string_view text);

// A typed quantity turned into the pattern to store, or the reason it is refused.
struct QuantityEntry {
    std::optional<std::uint32_t> raw;
    std::string reason;
};

// Reads an edited quantity (C locale) the way the editor takes an entry: degrees to
// radians for angles with pi = 3.14159265358979, single precision, checked against
// the field's entry range; the mode flag takes 0 or 1 only; the unknown fields take
// nothing.
QuantityEntry EnterQuantity(const FieldInfo& info, bool pitlane, std::string_view text);

// Why a stored pattern lies outside what the editor would accept on entry, or empty
// when it is inside. Unknown fields have no range.
std::string StoredValueProblem(const FieldInfo& info, std::uint32_t raw);

// Whether the field is held in single precision (all but the mode flag).
bool IsFloatField(const FieldInfo& info);

// The label without its trailing arrow, for messages.
std::string FieldName(const FieldInfo& info);

// "Length", "Factor", "Angle", "ModeFlag" or "Unknown".
const char* FieldKindName(FieldKind kind);

// Eight upper-case hex digits of a 32-bit pattern, two of a byte.
std::string HexPattern(std::uint32_t raw);
std::string HexByte(std::uint8_t byte);
// One to eight hex digits (leading zeros may be missing); nullopt for anything else.
std::optional<std::uint32_t> ParseHexPattern(std::string_view text);

// The text without leading and trailing spaces and tabs, as cells are read.
std::string_view Trim(std::string_view text);

// A decimal integer; nullopt for anything else.
std::optional<long long> ParseInteger(std::string_view text);

}  // namespace vx
