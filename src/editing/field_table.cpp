// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/field_table.h"

#include <array>
#include <stdexcept>

namespace vx {

namespace {

constexpr const char* kUnitStep = "Changes the value in steps of 1 unit per click";
constexpr const char* kUnknownLabel = "Unknown, mail me if you know more! -->";
constexpr const char* kUnknownTip = "Unknown - leave this field blank";

constexpr StepperSpec kNoStepper{};

constexpr StepperSpec Metres(std::int32_t lowMetres, std::int32_t highMetres) {
    return {true, lowMetres * 1000, highMetres * 1000, 1000, kUnitStep};
}

constexpr StepperSpec Degrees(std::int32_t low, std::int32_t high) {
    return {true, low, high, 1, kUnitStep};
}

constexpr StepperSpec Zoom(const char* tooltip) { return {true, 0, 10000, 1, tooltip}; }

constexpr FieldInfo Length(const char* label, const char* tooltip, double low, double high,
                           StepperSpec stepper) {
    return {FieldKind::Length, label, tooltip, true, low, high, Editable::Always, stepper};
}

constexpr FieldInfo Zoom(const char* label, const char* stepTip) {
    return {FieldKind::Factor,    label,        "Enter a number between 0 and 10", true, 0, 10,
            Editable::MovingOnly, Zoom(stepTip)};
}

constexpr FieldInfo Angle(const char* label, double low, Editable editable) {
    return {FieldKind::Angle,
            label,
            low < 0 ? "Enter a number between -360 and 360" : "Enter a number between 0 and 360",
            true,
            low,
            360,
            editable,
            Degrees(static_cast<std::int32_t>(low), 360)};
}

constexpr FieldInfo Unknown(const char* label, const char* tooltip) {
    return {FieldKind::Unknown, label, tooltip, false, 0, 0, Editable::Never, kNoStepper};
}

constexpr const char* kModeTip = "Click to change camera mode (fixed or not fixed)";

using TvTable = std::array<FieldInfo, kTvFieldCount>;

constexpr TvTable MakeTvTable(const char* zoomStepTip) {
    return {{
        Length("Distance from s/f-line [m] -->", "Enter a number between 0 and 50000", 0, 50000,
               Metres(0, 50000)),
        Length("Distance from center-line of the track [m] -->",
               "Enter a number between -200 and 200", -200, 200, Metres(-200, 200)),
        // The tooltip and the stepper reach down to -200; typed entry stops at 0.
        Length("Height from the ground [m] -->", "Enter a number between -200 and 200", 0, 200,
               Metres(-200, 200)),
        Length("Change-over point [m] -->", "Enter a number between -10000 and 10000", -10000,
               10000, Metres(-10000, 10000)),
        {FieldKind::ModeFlag, "Fixed (check) or moving (uncheck) camera -->", kModeTip, false, 0, 1,
         Editable::Always, kNoStepper},
        Zoom("Initial zoom factor [-] (moving cam) -->", zoomStepTip),
        Zoom("Zoom factor for first part [-] (moving cam) -->", zoomStepTip),
        Zoom("Zoom factor for second part [-] (moving cam) -->", zoomStepTip),
        Angle("Yaw [°] (fixed cam) -->", -360, Editable::FixedOnly),
        Angle("Pitch [°] (fixed cam) -->", -360, Editable::FixedOnly),
        Angle("Bank [°] (fixed cam) -->", -360, Editable::FixedOnly),
        Angle("Opening angle [°] (fixed cam) -->", 0, Editable::FixedOnly),
        Unknown(kUnknownLabel, kUnknownTip),
        Unknown(kUnknownLabel, kUnknownTip),
    }};
}

constexpr TvTable kTv1 = MakeTvTable("Changes the value in steps of 1/1000 per click");
constexpr TvTable kTv2 = MakeTvTable("Changes the value in steps of 0.001 per click");

constexpr std::array<FieldInfo, kPitlaneFieldCount> kPitlane{{
    Length("Absolute x-coordinate [m] -->", "Enter a number between -50000 and 50000", -50000,
           50000, Metres(-50000, 50000)),
    Length("Absolute y-coordinate [m] -->", "Enter a number between -50000 and 50000", -50000,
           50000, Metres(-50000, 50000)),
    Length("Absolute z-coordinate [m] -->", "Enter a number between -200 and 200", 0, 200,
           Metres(-200, 200)),
    Angle("Yaw [°] -->", -360, Editable::Always),
    Angle("Pitch [°] -->", -360, Editable::Always),
    Angle("Bank [°] -->", -360, Editable::Always),
    Angle("Opening angle [°] -->", 0, Editable::Always),
    Unknown("Leave this value at 0! -->", ""),
    Unknown("Leave this value at -0.125! -->", ""),
    Unknown(kUnknownLabel, kUnknownTip),
    Unknown(kUnknownLabel, kUnknownTip),
    Unknown(kUnknownLabel, kUnknownTip),
    Unknown(kUnknownLabel, kUnknownTip),
}};

}  // namespace

const FieldInfo& TvFieldInfo(SetId set, int field) {
    const TvTable& table = set == SetId::TV1 ? kTv1 : kTv2;
    if (field < 0 || field >= kTvFieldCount) throw std::out_of_range("TV field number");
    return table[static_cast<std::size_t>(field)];
}

const FieldInfo& PitlaneFieldInfo(int field) {
    if (field < 0 || field >= kPitlaneFieldCount) throw std::out_of_range("pitlane field number");
    return kPitlane[static_cast<std::size_t>(field)];
}

const char* CameraModeTooltip() { return kModeTip; }

const char* AssignToAllCaption() { return "Assign to all"; }

const char* AssignToAllTooltip(SetId set) {
    return set == SetId::TV1
               ? "Copys the value of the current camera to all cameras in the TV1-set"
               : "Copys the value of the current camera to all cameras in the TV2-set";
}

}  // namespace vx
