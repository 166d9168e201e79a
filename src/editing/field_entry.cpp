// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/field_entry.h"

#include <cmath>
#include <limits>

#include "editing/field_value.h"
#include "editing/locale_number.h"

namespace vx {

namespace {

// Every float at or above 2^23 is whole: nothing left to round to thousandths, and
// multiplying by 1000 could overflow.
constexpr float kWholeFloats = 8388608.0f;

// The stored value rounded to 3 decimals, kept in single precision.
float TvThousandths(float value) { return static_cast<float>(RoundHalfEven(value, 3)); }

// The pitlane rounds with the product itself in single precision.
float PitlaneThousandths(float value) {
    if (!(std::fabs(value) < kWholeFloats)) return value;  // NaN and inf included
    const float scaled = value * 1000.0f;
    return static_cast<float>(RoundHalfEven(scaled)) / 1000.0f;
}

// A stepper position for any double, loaded garbage included; NaN sits at 0.
std::int32_t ClampPosition(double value, std::int32_t low, std::int32_t high) {
    if (std::isnan(value)) value = 0.0;
    if (value <= low) return low;
    if (value >= high) return high;
    return static_cast<std::int32_t>(value);
}

std::int32_t Position(double value, const StepperSpec& stepper) {
    // A loaded value beyond the stepper's range puts the stepper at its end, so that a
    // click moves back into the range from there.
    if (stepper.usable) return ClampPosition(value, stepper.minimum, stepper.maximum);
    return ClampPosition(value, std::numeric_limits<std::int32_t>::min(),
                         std::numeric_limits<std::int32_t>::max());
}

// The value to store for a typed number, or nothing when the field refuses it.
std::optional<float> ConvertEntry(const FieldInfo& info, const std::string& text) {
    const std::optional<double> number = ParseLocaleNumber(text);
    if (!number) return std::nullopt;
    return EntryValue(info, *number);
}

bool HasCamera(const CamDocument& doc, SetId set, int number) {
    return number >= 1 && number <= doc.Set(set).Count();
}

// Keeps the switch point in place when the camera moves by new - old.
void ShiftChangeOver(TvCamera& camera, float oldDistance, float newDistance) {
    const float delta = newDistance - oldDistance;
    const float shifted = camera.Float(TvField::ChangeOver) - delta;
    // A non-finite distance or change-over point from a loaded file gives no shift
    // that means anything; field 3 then keeps its pattern.
    if (!std::isfinite(delta) || std::isnan(shifted)) return;
    camera.SetFloat(TvField::ChangeOver, ClampChangeOver(shifted));
}

}  // namespace

std::string FormatTvField(const TvCamera& camera, int field) {
    const FieldInfo& info = TvFieldInfo(SetId::TV1, field);
    switch (info.kind) {
        case FieldKind::Length:
        case FieldKind::Factor:
            return FormatLocaleNumber(TvThousandths(camera.Float(field)), 7);
        case FieldKind::ModeFlag:
            return std::to_string(camera.Int(field));
        case FieldKind::Angle:
        case FieldKind::Unknown:
            break;
    }
    return FormatLocaleNumber(RoundHalfEven(RadiansToDegrees(camera.Float(field))), 15);
}

std::int32_t TvStepperPosition(const TvCamera& camera, int field) {
    const FieldInfo& info = TvFieldInfo(SetId::TV1, field);
    switch (info.kind) {
        case FieldKind::Length:
        case FieldKind::Factor:
            return Position(RoundHalfEven(TvThousandths(camera.Float(field)) * 1000.0),
                            info.stepper);
        case FieldKind::ModeFlag:
            return 0;
        case FieldKind::Angle:
        case FieldKind::Unknown:
            break;
    }
    return Position(RoundHalfEven(RoundHalfEven(RadiansToDegrees(camera.Float(field)), 3)),
                    info.stepper);
}

EntryResult EnterTvField(CamDocument& doc, SetId set, int cameraNumber, int field,
                         const std::string& text, bool fixedSwitchOver) {
    const FieldInfo& info = TvFieldInfo(set, field);
    if (!info.typedEntry || !HasCamera(doc, set, cameraNumber)) return EntryResult::Rejected;
    TvCamera& camera = doc.Set(set).Camera(cameraNumber);
    // A refused value is never stored, so the old pattern stays bit for bit.
    const std::optional<float> value = ConvertEntry(info, text);
    if (!value) return EntryResult::Rejected;
    const float oldValue = camera.Float(field);
    camera.SetFloat(field, *value);
    if (field == TvField::Distance && fixedSwitchOver) ShiftChangeOver(camera, oldValue, *value);
    doc.DataSaved = false;
    return EntryResult::Accepted;
}

void StepTvField(CamDocument& doc, SetId set, int cameraNumber, int field, std::int32_t position) {
    // Field 12 has no stepper in the window, but it holds radians like 8 to 11; only
    // the mode flag and field 13 take no position.
    if (field == TvField::Mode || field == TvField::Unknown13 ||
        !HasCamera(doc, set, cameraNumber)) {
        return;
    }
    TvCamera& camera = doc.Set(set).Camera(cameraNumber);
    if (field >= TvField::Yaw) {
        camera.SetFloat(field, static_cast<float>(DegreesToRadians(position)));
    } else {
        camera.SetFloat(field, static_cast<float>(position / 1000.0));
    }
}

void SetCameraMode(CamDocument& doc, SetId set, int cameraNumber, bool fixed) {
    if (!HasCamera(doc, set, cameraNumber)) return;
    // The flag is an integer in the file; 1.0f would be a different pattern.
    doc.Set(set).Camera(cameraNumber).SetInt(TvField::Mode, fixed ? 1 : 0);
    doc.DataSaved = false;
}

bool TvRowEnabled(int field, bool fixed) {
    switch (TvFieldInfo(SetId::TV1, field).editable) {
        case Editable::Always:
            return true;
        case Editable::MovingOnly:
            return !fixed;
        case Editable::FixedOnly:
            return fixed;
        case Editable::Never:
            break;
    }
    return false;
}

std::string FormatPitlaneField(const PitlaneCamera& camera, int field) {
    if (PitlaneFieldInfo(field).kind == FieldKind::Angle) {
        const double degrees =
            RoundHalfEven(RadiansToDegrees(camera.Float(field) * 1000.0)) / 1000.0;
        return FormatLocaleNumber(degrees, 15);
    }
    return FormatLocaleNumber(PitlaneThousandths(camera.Float(field)), 7);
}

std::int32_t PitlaneStepperPosition(const PitlaneCamera& camera, int field) {
    const FieldInfo& info = PitlaneFieldInfo(field);
    if (!info.stepper.usable) return 0;
    if (info.kind == FieldKind::Angle) {
        return Position(RoundHalfEven(RadiansToDegrees(camera.Float(field))), info.stepper);
    }
    return Position(RoundHalfEven(PitlaneThousandths(camera.Float(field)) * 1000.0), info.stepper);
}

EntryResult EnterPitlaneField(CamDocument& doc, int field, const std::string& text) {
    const FieldInfo& info = PitlaneFieldInfo(field);
    if (!info.typedEntry) return EntryResult::Rejected;
    const std::optional<float> value = ConvertEntry(info, text);
    if (!value) return EntryResult::Rejected;
    doc.Pitlane.SetFloat(field, *value);
    doc.DataSaved = false;
    return EntryResult::Accepted;
}

void StepPitlaneField(CamDocument& doc, int field, std::int32_t position) {
    const FieldInfo& info = PitlaneFieldInfo(field);
    if (!info.stepper.usable) return;
    if (info.kind == FieldKind::Angle) {
        doc.Pitlane.SetFloat(field, static_cast<float>(DegreesToRadians(position)));
    } else {
        doc.Pitlane.SetFloat(field, static_cast<float>(position / 1000.0));
    }
}

}  // namespace vx
