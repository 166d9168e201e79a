// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/camera_defaults_entry.h"

#include "editing/field_value.h"
#include "editing/locale_number.h"

namespace vx {

namespace {

// A single shows at most this many significant digits as a plain number.
constexpr int kSingleDigits = 7;
// Enough digits for a value already rounded to three decimals.
constexpr int kRoundedDigits = 15;

bool IsAngle(int k) { return k >= kFirstAngleValue && k < kDefaultValueCount; }

float Cell(const CameraDefaults& defaults, int k) {
    return BitsFloat(defaults.at(static_cast<std::size_t>(k)));
}

std::uint32_t& CellBits(CameraDefaults& defaults, int k) {
    return defaults.at(static_cast<std::size_t>(k));
}

std::string WholeDegrees(float radians) {
    return FormatLocaleNumber(RoundHalfEven(RadiansToDegrees(radians)), kRoundedDigits);
}

}  // namespace

std::optional<DefaultValueRange> DefaultValueRangeOf(int k) {
    switch (k) {
        case TvField::Distance:
            return DefaultValueRange{0.0, 1000.0, false};
        case TvField::SideOffset:
            return DefaultValueRange{-200.0, 200.0, false};
        case TvField::Height:
            return DefaultValueRange{0.0, 200.0, false};
        case TvField::ChangeOver:
            return DefaultValueRange{-10000.0, 10000.0, false};
        case TvField::ZoomStart:
        case TvField::ZoomFirst:
        case TvField::ZoomSecond:
            // The lower bound is the single nearest to 0.001, so that 0.001 itself passes.
            return DefaultValueRange{static_cast<double>(0.001f), 10.0, false};
        case TvField::Yaw:
        case TvField::Pitch:
        case TvField::Bank:
            return DefaultValueRange{-180.0, 180.0, true};
        case TvField::OpeningAngle:
            return DefaultValueRange{0.0, 180.0, true};
        default:
            return std::nullopt;
    }
}

std::string DefaultValueLoadText(const CameraDefaults& defaults, int k) {
    const float value = Cell(defaults, k);
    if (IsAngle(k)) return WholeDegrees(value);
    return FormatLocaleNumber(RoundHalfEven(static_cast<double>(value), 3), kRoundedDigits);
}

std::string DefaultValueRestoreText(const CameraDefaults& defaults, int k) {
    const float value = Cell(defaults, k);
    if (IsAngle(k)) return WholeDegrees(value);
    return FormatLocaleNumber(static_cast<double>(value), kSingleDigits);
}

bool EnterDefaultValue(CameraDefaults& defaults, int k, const std::string& text) {
    const auto range = DefaultValueRangeOf(k);
    if (!range) return false;
    const auto number = ParseLocaleNumber(text);
    if (!number || !FitsSingle(*number)) return false;
    // Checked as the single it becomes, in the units shown.
    const float entered = static_cast<float>(*number);
    if (!InRange(entered, {range->low, range->high})) return false;
    CellBits(defaults, k) =
        FloatBits(range->degrees ? static_cast<float>(DegreesToRadians(entered)) : entered);
    return true;
}

bool IsMiddlePlacement(const CameraDefaults& defaults) {
    return Cell(defaults, kPlacementValue) == -1.0f;
}

void ChooseMiddlePlacement(CameraDefaults& defaults) {
    CellBits(defaults, kPlacementValue) = FloatBits(-1.0f);
}

std::string ChooseDistancePlacement(CameraDefaults& defaults) {
    if (!IsMiddlePlacement(defaults)) return DefaultValueRestoreText(defaults, kPlacementValue);
    CellBits(defaults, kPlacementValue) = FloatBits(kDefaultDistance);
    return kDefaultDistanceText;
}
}  // namespace vx
