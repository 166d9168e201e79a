// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

#include "document/cam_document.h"

namespace vx {

enum class FieldKind { Length, Factor, Angle, ModeFlag, Unknown };
enum class EntryResult { Accepted, Rejected };

// When a row's entry box, stepper and assign button are enabled.
enum class Editable { Always, MovingOnly, FixedOnly, Never };

struct StepperSpec {
    bool usable = false;
    std::int32_t minimum = 0;  // positions, in thousandths or whole degrees
    std::int32_t maximum = 0;
    std::int32_t increment = 0;
    const char* tooltip = "";
};

struct FieldInfo {
    FieldKind kind;
    const char* label;
    const char* tooltip;  // entry box tooltip; "" where there is none
    bool typedEntry;      // false for the mode flag and the unknown fields
    double minimum;       // accepted on entry, in shown units (degrees for angles)
    double maximum;
    Editable editable;
    StepperSpec stepper;
};

// The single source of every field's texts, range and stepper. The zoom steppers'
// tooltips differ between the two sets, hence the set argument. All texts are UTF-8
// (the angle labels carry a degree sign). Field 4's tooltip is the one of the check
// box that takes the entry box's place in that row. Out-of-range field numbers throw
// std::out_of_range.
const FieldInfo& TvFieldInfo(SetId set, int field);
const FieldInfo& PitlaneFieldInfo(int field);

// The check box of the mode flag (field 4).
const char* CameraModeTooltip();

// The "Assign to all" buttons of fields 0 to 11.
inline constexpr int kAssignableFieldCount = 12;
const char* AssignToAllCaption();
// "Copys the value of the current camera to all cameras in the TV1-set" (or TV2).
const char* AssignToAllTooltip(SetId set);

}  // namespace vx
