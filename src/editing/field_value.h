// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

#include "editing/field_table.h"

namespace vx {

// The one home of the conversions and checks that typed entry, CSV import and the
// options dialog's default values share, so that a value is judged alike wherever it
// comes from.

// The literal of the conversions, not the full double value of pi.
inline constexpr double kPi = 3.14159265358979;
// 2 pi from the literal, rounded to single precision: the bound of every stored angle,
// so that -360 and 360 degrees themselves pass.
inline constexpr float kTwoPi = static_cast<float>(6.28318530717958);

// Both ways in double precision; a stored angle is the single of DegreesToRadians.
double RadiansToDegrees(double radians);
double DegreesToRadians(double degrees);

// Whether a double rounds to a finite single (to nearest, so that the text of the
// largest single reads back as that single).
bool FitsSingle(double value);

// Bounds included.
struct ValueRange {
    double low;
    double high;
};
bool InRange(double value, const ValueRange& range);

// What a field's stored value is checked against: for angles the radians between -2 pi
// (0 where the shown range starts at 0) and 2 pi, otherwise the table's bounds.
ValueRange StoredRange(const FieldInfo& info);

// The change-over point keeps within +-10000 m when a camera moves and its switch
// point stays where it is; beyond, it is held at the limit with the value's sign.
inline constexpr float kChangeOverLimit = 10000.0f;
float ClampChangeOver(double value);

// The single that a typed number (degrees for angles) stores into a field, or nullopt
// when it does not fit a single or the stored value lies outside StoredRange.
std::optional<float> EntryValue(const FieldInfo& info, double number);

}  // namespace vx
