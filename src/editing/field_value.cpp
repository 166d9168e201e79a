// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/field_value.h"

#include <cmath>

namespace vx {

namespace {

// Doubles from here on round to infinity in single precision: the largest single plus
// half a unit in its last place.
const double kSingleLimit = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);

}  // namespace

double RadiansToDegrees(double radians) { return radians * 180.0 / kPi; }

double DegreesToRadians(double degrees) { return degrees * kPi / 180.0; }

bool FitsSingle(double value) { return std::fabs(value) < kSingleLimit; }

bool InRange(double value, const ValueRange& range) {
    return value >= range.low && value <= range.high;
}

ValueRange StoredRange(const FieldInfo& info) {
    if (info.kind != FieldKind::Angle) return {info.minimum, info.maximum};
    return {info.minimum < 0 ? -kTwoPi : 0.0, kTwoPi};
}

float ClampChangeOver(double value) {
    if (std::fabs(value) > kChangeOverLimit) {
        return static_cast<float>(std::copysign(double{kChangeOverLimit}, value));
    }
    return static_cast<float>(value);
}

std::optional<float> EntryValue(const FieldInfo& info, double number) {
    if (!FitsSingle(number)) return std::nullopt;
    const float value =
        static_cast<float>(info.kind == FieldKind::Angle ? DegreesToRadians(number) : number);
    if (!InRange(value, StoredRange(info))) return std::nullopt;
    return value;
}

}  // namespace vx
