// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

#include "document/cam_document.h"
#include "editing/field_table.h"

namespace vx {

// The status line after any refused entry, TV or pitlane (the window beeps first).
inline constexpr const char* kEntryRefusedText = "What do you mean? Ready.";

// TV fields 0-3 and 5-13: the text the entry box shows and the stepper position.
// A loaded value beyond a stepper's range positions it at that end (NaN at 0), so a
// click always leads back into the range.
std::string FormatTvField(const TvCamera& camera, int field);
std::int32_t TvStepperPosition(const TvCamera& camera, int field);

// Converts, range-checks and stores a typed value; a refusal restores the old
// pattern bit for bit and leaves DataSaved alone. With fixedSwitchOver an accepted
// distance moves field 3 the opposite way, clamped to +-10000. Fields without typed
// entry (4, 12, 13) and camera numbers outside 1..count are refused untouched.
[[nodiscard]] EntryResult EnterTvField(CamDocument& doc, SetId set, int cameraNumber, int field,
                                       const std::string& text, bool fixedSwitchOver);

// Stores the value of a stepper position (radians of whole degrees for fields 8 to
// 12); DataSaved is left as it was. Fields 4 and 13 and camera numbers outside
// 1..count are left alone.
void StepTvField(CamDocument& doc, SetId set, int cameraNumber, int field, std::int32_t position);

// Field 4 := the integer 1 (fixed) or 0 (moving); DataSaved := false. A camera
// number outside 1..count changes nothing.
void SetCameraMode(CamDocument& doc, SetId set, int cameraNumber, bool fixed);

// Whether row `field` (entry box, stepper, assign button) is enabled in a mode.
bool TvRowEnabled(int field, bool fixed);

// The pitlane camera's fields 0-12 (positions for 0-6; 0 for the others). Entry and
// steps act on fields 0-6 only.
std::string FormatPitlaneField(const PitlaneCamera& camera, int field);
std::int32_t PitlaneStepperPosition(const PitlaneCamera& camera, int field);
[[nodiscard]] EntryResult EnterPitlaneField(CamDocument& doc, int field, const std::string& text);
void StepPitlaneField(CamDocument& doc, int field, std::int32_t position);

}  // namespace vx
